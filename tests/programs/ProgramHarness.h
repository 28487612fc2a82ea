#pragma once
// Reads the shipped robot and test programs, builds the robot program from a document and
// compiles program texts with the built-in tokenizer, keeping what the tests look at.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"

namespace programs_test {

// The raw bytes of resources/programs/<name>.
std::string ReadProgramFile(const std::string& name);

// The program text as the download hands it to the tokenizer: lines joined by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

struct Compiled {
  bool Ok = false;
  std::string Error;      // the tokenizer's text, e.g. "124-Data occupies same location as program"
  std::string ErrorLine;  // the source line holding the error position
  std::array<std::uint8_t, 2048> Image{};
  std::array<std::uint8_t, 2048> Flags{};
  int PacketCount = 0;
  std::array<int, 4> VarCounts{};  // bits, nibbles, bytes, words

  int CodeBytes() const;   // bytes holding object code
  int LowestCode() const;  // lowest address holding object code (2048 without code)
  int DataEnd() const;     // one past the highest DATA byte (0 without data)
  int FreeBytes() const { return LowestCode() - DataEnd(); }
  int VariableBits() const;
};

Compiled CompileText(const std::string& source);

// Builds the robot program for `doc` from the shipped template and compiles it.
struct BuiltProgram {
  builder::BuildResult Build;
  Compiled Result;
};
BuiltProgram BuildAndCompile(const actions::ListDocument& doc, const builder::BuildOptions& options);

}  // namespace programs_test
