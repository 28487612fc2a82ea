// DEBUG statements and the debug text area: entries first, then the descriptions.

#include <gtest/gtest.h>

#include <string>

#include "Vd1TestSupport.h"

namespace {

using vd1test::CompileText;

std::string AreaText(const tok::vd1::Outcome& outcome, int from, int length) {
  return std::string(reinterpret_cast<const char*>(outcome.DebugText.data()) + from,
                     static_cast<size_t>(length));
}

TEST(Vd1DebugArea, EntriesAndDescriptions) {
  const auto outcome =
      CompileText("DEBUG B0, \"Hi\", CR\nSYMBOL speed = W1\nDEBUG #speed, CLS, $W2, %pin0\n");
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  EXPECT_EQ(outcome.DebugCount, 2);
  const auto& area = outcome.DebugText;
  // entry 0: statement at bit 19, description at 8 (after two entries)
  EXPECT_EQ(area[0], 19);
  EXPECT_EQ(area[1], 0);
  EXPECT_EQ(area[2], 8);
  EXPECT_EQ(area[3], 0);
  const std::string first = std::string("\x01\x62 B0 = \"Hi\"\x02\x02", 14);
  EXPECT_EQ(AreaText(outcome, 8, 15), first + '\0');
  // entry 1: the second DEBUG starts after the first one's 16 bits
  EXPECT_EQ(area[4], 35);
  EXPECT_EQ(area[5], 0);
  EXPECT_EQ(area[6], 8 + 15);
  EXPECT_EQ(area[7], 0);
  // '#' shows the value alone; '$' and '%' keep the name
  const std::string second =
      std::string("\x01\x74#", 3) + "\x02\x01" + "\x01\x76$W2 = " + std::string("\x01\x40%PIN0 = ", 10);
  EXPECT_EQ(AreaText(outcome, 23, static_cast<int>(second.size()) + 1), second + '\0');
}

TEST(Vd1DebugArea, NoDebugLeavesTheAreaEmpty) {
  const auto outcome = CompileText("HIGH 1");
  ASSERT_TRUE(outcome.Success);
  EXPECT_EQ(outcome.DebugCount, 0);
  for (uint8_t b : outcome.DebugText) ASSERT_EQ(b, 0);
}

// The limit counts the 4-byte entries of every DEBUG statement as well as the descriptions.
TEST(Vd1DebugArea, EntriesCountTowardsTheLimit) {
  // two entries (8 bytes) and descriptions of 503 and 515 bytes: 1026 bytes
  const auto text =
      CompileText("DEBUG \"" + std::string(500, 'a') + "\"\nDEBUG \"" + std::string(512, 'b') + "\"");
  EXPECT_EQ(text.ErrorText, "236-DEBUG buffer full");
  // 503 and 513 bytes: exactly 1024
  const auto fitsTwo =
      CompileText("DEBUG \"" + std::string(500, 'a') + "\"\nDEBUG \"" + std::string(510, 'b') + "\"");
  EXPECT_TRUE(fitsTwo.Success) << fitsTwo.ErrorText;
}

}  // namespace
