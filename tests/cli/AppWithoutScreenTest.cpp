// The application started from a terminal without a screen: help and version still work,
// and anything else says why no window can open instead of Qt's platform-plugin abort.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ProcessRun.h"

namespace {

class AppWithoutScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      ::unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(AppWithoutScreen, HelpVersionAndTheReasonWhyNoWindowOpens) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string shown;
  } cases[] = {
      {{"--help"}, 0, "--virtual-robot"},
      {{"--version"}, 0, "Rovalis 1.3"},
      {{"--lang", "es"}, 1, "No hay pantalla: ni DISPLAY ni WAYLAND_DISPLAY"},
      {{"--lang", "en", "--virtual-robot"}, 1, "No screen: neither DISPLAY nor WAYLAND_DISPLAY"},
  };
  for (const auto& c : cases) {
    const auto run = clitest::RunProcess(ROVALIS_APP, c.args);
    EXPECT_EQ(run.exitStatus, c.status) << run.output;
    EXPECT_NE(run.output.find(c.shown), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("platform plugin"), std::string::npos) << run.output;
  }
}

}  // namespace
