// The shipped program texts: the properties the builder and the download rely on, and the
// test program compiled as the test window downloads it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "builder/MarkerLine.h"

namespace programs_test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  return builder::SplitLines(text);
}

TEST(ProgramFiles, BothStartWithTheTargetAndLanguageDirectivesAndUseCrLf) {
  for (const char* name : {"robot.bas", "test.bas"}) {
    SCOPED_TRACE(name);
    const std::string text = ReadProgramFile(name);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "'{$VARDA VD2}");
    EXPECT_EQ(lines[1], "'{$TESSIC 2.5}");
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at offset " << i;
      }
      if (text[i] == '\r') {
        ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at offset " << i;
      }
      ASSERT_LT(static_cast<unsigned char>(text[i]), 128u) << "non-ASCII at offset " << i;
    }
    EXPECT_TRUE(text.ends_with("\r\n"));
  }
}

TEST(ProgramFiles, RobotTemplateHasExactlyOneMarkerBelowTheMainListComment) {
  const std::vector<std::string> lines = Lines(ReadProgramFile("robot.bas"));
  std::vector<std::size_t> markers;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (builder::IsMarkerLine(lines[i])) markers.push_back(i);
  ASSERT_EQ(markers.size(), 1u);
  const std::size_t m = markers[0];
  EXPECT_EQ(lines[m], "ActionList  DATA  \"Q\"");
  ASSERT_GT(m, 0u);
  EXPECT_EQ(lines[m - 1], "' ----- Main Action List -----");
  // The only other DATA lines come after the marker, so nothing the template stores can
  // collide with the Configure line at address 0.
  for (std::size_t i = 0; i < m; ++i) {
    std::string upper = lines[i].substr(0, lines[i].find('\''));
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_EQ(upper.find(" DATA "), std::string::npos) << "line " << i + 1 << ": " << lines[i];
  }
}

TEST(ProgramFiles, TestProgramCompilesWithRoomToSpare) {
  const Compiled result = CompileText(ReadProgramFile("test.bas"));
  ASSERT_TRUE(result.Ok) << result.Error << "\n  in: " << result.ErrorLine;
  EXPECT_EQ(result.DataEnd(), 0);
  EXPECT_GT(result.CodeBytes(), 0);
  EXPECT_LT(result.CodeBytes(), 256);  // an eighth of the EEPROM
  EXPECT_LE(result.VariableBits(), 64);
}

}  // namespace
}  // namespace programs_test
