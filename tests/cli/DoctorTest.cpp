#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct DoctorRun {
  int status = -1;
  std::string out;
};

DoctorRun Doctor(const std::string& args) {
  DoctorRun run;
  const std::string command = std::string("'") + ROVALIS_CLI + "' doctor " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

TEST(CliDoctor, PrintsEveryPartOfTheCheck) {
  const DoctorRun run = Doctor("--lang es --watch 0");
  EXPECT_EQ(run.status, 0) << run.out;
  for (const char* part :
       {"Puertos serie:", "Usuario: ", "Grupos de esta sesión: ", "Grupos de la cuenta: ", "  brltty: ",
        "  ModemManager: ", "Plataforma Qt:", "complementos de plataforma: "}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
  const bool problems = run.out.find("Problemas encontrados:") != std::string::npos;
  const bool none = run.out.find("No se ha encontrado ningún problema.") != std::string::npos;
  EXPECT_NE(problems, none) << run.out;
}

TEST(CliDoctor, RefusesWhatItDoesNotKnow) {
  for (const char* args : {"--bogus", "--watch", "--watch -1", "--watch soon"}) {
    const DoctorRun run = Doctor(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.out.find("rovalis-cli doctor: unexpected argument"), std::string::npos) << run.out;
  }
}

}  // namespace
