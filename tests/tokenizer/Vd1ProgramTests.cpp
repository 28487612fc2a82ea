// A whole VD1 program of over a hundred lines, using most instructions, against its reference
// image (tests/tokenizer/vd1/*.hex: the 256 EEPROM bytes, address 0 first, 16 per line).

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Vd1TestSupport.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<int> ReadHex(const std::string& path) {
  std::ifstream in(path);
  std::vector<int> bytes;
  int value;
  while (in >> std::hex >> value) bytes.push_back(value);
  return bytes;
}

const std::string kFolder = std::string(ROVALIS_SOURCE_DIR) + "/tests/tokenizer/vd1/";

TEST(Vd1Program, PatrolProgramMatchesItsReferenceImage) {
  const std::string source = ReadFile(kFolder + "patrol.bas");
  ASSERT_GE(std::count(source.begin(), source.end(), '\n'), 100);
  const auto outcome = vd1test::CompileText(source);
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText << " at " << outcome.ErrorStart;

  EXPECT_EQ(outcome.DebugCount, 1);
  EXPECT_EQ(outcome.GosubCount, 3);
  EXPECT_EQ(outcome.EEPROM[255], 255 - (outcome.CodeBits + 11 * 3) / 8);
  // the first statements, worked out by hand: LOW 0, LOW 1, OUTPUT 3, INPUT 4, INPUT 5,
  // DIRS = %00001111
  const std::string start = vd1test::WithoutSpaces(
      "00001 1000  00001 1001  00011 101 0011  00010 101 0100  00010 101 0101  10101 101 1111 100001 0001 0");
  EXPECT_EQ(vd1test::CodeBits(outcome, 19, static_cast<int>(start.size())), start);
  // the data: four turn lengths and the greeting right after them
  const int data[] = {10, 20, 30, 40, 'H', 'E', 'L', 'L', 'O'};
  for (int a = 0; a < 9; ++a) {
    EXPECT_EQ(outcome.EEPROM[a], data[a]) << a;
    EXPECT_EQ(outcome.EEPROMFlags[a], 130) << a;
  }
  // every GOSUB's return position points just past a GOSUB statement (code 01110)
  for (int n = 0; n < 3; ++n) {
    const std::string entry = vd1test::CodeBits(outcome, outcome.CodeBits + 11 * n, 11);
    const int returnAt = std::stoi(entry, nullptr, 2);
    EXPECT_EQ(vd1test::CodeBits(outcome, returnAt - 20, 9), "01110" + vd1test::Binary(n, 4)) << n;
  }

  const std::vector<int> reference = ReadHex(kFolder + "patrol.hex");
  ASSERT_EQ(reference.size(), 256u);
  for (int a = 0; a < 256; ++a) EXPECT_EQ(outcome.EEPROM[a], reference[a]) << "address " << a;
}

}  // namespace
