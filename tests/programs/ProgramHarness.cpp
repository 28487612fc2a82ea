#include "ProgramHarness.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "builder/MarkerLine.h"
#include "tokenizer/Tokenizer.h"

namespace programs_test {

std::string ReadProgramFile(const std::string& name) {
  const std::string path = std::string(ROVALIS_SOURCE_DIR) + "/resources/programs/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

int Compiled::CodeBytes() const {
  return static_cast<int>(
      std::count_if(Flags.begin(), Flags.end(), [](std::uint8_t f) { return (f & 3) == 3; }));
}

int Compiled::LowestCode() const {
  for (int a = 0; a < 2048; ++a)
    if ((Flags[a] & 3) == 3) return a;
  return 2048;
}

int Compiled::DataEnd() const {
  for (int a = 2047; a >= 0; --a) {
    const int use = Flags[a] & 3;
    if (use == 1 || use == 2) return a + 1;
  }
  return 0;
}

int Compiled::VariableBits() const {
  return VarCounts[0] + 4 * VarCounts[1] + 8 * VarCounts[2] + 16 * VarCounts[3];
}

namespace {

std::string LineAt(const std::string& source, int position) {
  if (position < 0 || position > static_cast<int>(source.size())) return {};
  const std::size_t begin = source.rfind('\n', position == 0 ? 0 : position - 1);
  const std::size_t from = begin == std::string::npos || position == 0 ? 0 : begin + 1;
  std::size_t to = source.find_first_of("\r\n", from);
  if (to == std::string::npos) to = source.size();
  return source.substr(from, to - from);
}

}  // namespace

Compiled CompileText(const std::string& source) {
  // The tokenizer carries all its tables; far too big for the stack.
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  Compiled out;
  if (!tokenizer->SetSource(source)) {
    out.Error = "source too long";
    return out;
  }
  const bool success = tokenizer->Tokenize(false, true, false);
  const tok::ResultRecord& r = tokenizer->TokenizeResult;
  out.Ok = success && r.Success == 1 && r.PacketCount != 0;
  if (r.ErrorText != nullptr) out.Error = r.ErrorText;
  if (!out.Ok) out.ErrorLine = LineAt(source, r.ErrorStart);
  std::copy(std::begin(r.EEPROM), std::end(r.EEPROM), out.Image.begin());
  std::copy(std::begin(r.EEPROMFlags), std::end(r.EEPROMFlags), out.Flags.begin());
  out.PacketCount = r.PacketCount;
  for (int i = 0; i < 4; ++i) out.VarCounts[i] = r.VarCounts[i];
  return out;
}

BuiltProgram BuildAndCompile(const actions::ListDocument& doc, const builder::BuildOptions& options) {
  static const std::vector<std::string> robotTemplate = builder::SplitLines(ReadProgramFile("robot.bas"));
  BuiltProgram built;
  built.Build = builder::BuildCode(doc, options, robotTemplate);
  if (built.Build.Ok) built.Result = CompileText(JoinLines(built.Build.Lines));
  return built;
}

}  // namespace programs_test
