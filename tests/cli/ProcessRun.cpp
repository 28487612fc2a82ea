#include "ProcessRun.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace clitest {
namespace {

[[noreturn]] void ExecChild(const std::string& program, const std::vector<std::string>& args, int out) {
  ::dup2(out, STDOUT_FILENO);
  ::dup2(out, STDERR_FILENO);
  // The child must not inherit an ignored SIGINT from a background test runner.
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGTERM, SIG_DFL);
  // The tests compare with the Spanish text set, the one the test process starts with.
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  ::setenv("LANG", "es_ES.UTF-8", 1);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& trigger, int signalNumber) {
  ProcessResult result;
  int fds[2];
  if (::pipe(fds) != 0) return result;
  const pid_t child = ::fork();
  if (child < 0) return result;
  if (child == 0) {
    ::close(fds[0]);
    ExecChild(program, args, fds[1]);
  }
  ::close(fds[1]);
  bool signalled = trigger.empty();
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    result.output.append(buffer, std::size_t(n));
    if (!signalled && result.output.find(trigger) != std::string::npos) {
      ::kill(child, signalNumber);
      signalled = true;
    }
  }
  ::close(fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.killedBy = WTERMSIG(status);
  return result;
}

}  // namespace clitest
