// The object-code decoder and interpreter on arbitrary images: decoding ends with a
// statement or an error, a decoded statement re-encodes to the very bits it came from, and
// the interpreter runs a bounded number of statements without leaving its memory.

#include <algorithm>
#include <string>

#include "Checks.h"
#include "sim/vm/Machine.h"
#include "sim/vm/ObjectCode.h"

namespace fuzz {
namespace {

constexpr int kStepLimit = 2000;

// Pins and serial input from the bytes after the image; the input ends when they do.
class ScriptedIo : public sim::vm::Io {
 public:
  explicit ScriptedIo(Bytes bytes) : bytes_(bytes) {}
  uint16_t Inputs(int64_t) override {
    if (bytes_.size() < 2) return 0xFFFF;
    const uint16_t levels = static_cast<uint16_t>(bytes_[pins_ % bytes_.size()] | bytes_[(pins_ + 1) % bytes_.size()] << 8);
    pins_ += 2;
    return levels;
  }
  int SerialIn(int64_t us, int, int64_t deadlineUs, int64_t& arrivalUs) override {
    if (next_ >= bytes_.size()) return kNoMoreInput;
    const std::uint8_t byte = bytes_[next_++];
    // Odd bytes stand for a line that stays quiet past the deadline.
    if (deadlineUs >= 0 && (byte & 0x81) == 0x81) return kTimeout;
    arrivalUs = us + 1000;
    return byte;
  }

 private:
  Bytes bytes_;
  std::size_t pins_ = 0;
  std::size_t next_ = 0;
};

std::string CheckReencoding(const sim::vm::Image& image, const sim::vm::Statement& s, int module) {
  sim::vm::Encoder encoder;
  encoder.Write(s, module);
  const std::vector<uint8_t>& bits = encoder.bits();
  if (static_cast<int>(bits.size()) != s.end - s.at)
    return "module " + std::to_string(module) + " bit " + std::to_string(s.at) + ": re-encoded length " +
           std::to_string(bits.size()) + " differs from the decoded " + std::to_string(s.end - s.at);
  sim::vm::BitReader reader(image, s.at);
  for (std::size_t i = 0; i < bits.size(); ++i) {
    if (reader.Bit() != bits[i])
      return "module " + std::to_string(module) + " bit " + std::to_string(s.at) + ": re-encoding differs at bit " +
             std::to_string(s.at + static_cast<int>(i));
  }
  return {};
}

}  // namespace

std::string CheckMachine(Bytes input) {
  sim::vm::Image image{};
  std::copy_n(input.begin(), std::min<std::size_t>(input.size(), sim::vm::kImageSize), image.begin());
  const Bytes rest = input.size() > sim::vm::kImageSize ? input.subspan(sim::vm::kImageSize) : Bytes{};

  for (int module = 2; module <= 6; ++module) {
    const sim::vm::Decoder decoder(image, module);
    const sim::vm::Decoder::Listing listing = decoder.DecodeAll();
    if (!listing.ok && listing.error.empty()) return "a failed listing without a reason";
    if (listing.ok) {
      for (const sim::vm::Statement& s : listing.statements) {
        if (s.end <= s.at || s.end > sim::vm::kCodeBitLimit) return "a listed statement outside the image";
        if (std::string problem = CheckReencoding(image, s, module); !problem.empty()) return problem;
      }
    }

    ScriptedIo io(rest);
    sim::vm::Machine machine(image, io, module);
    for (int step = 0; step < kStepLimit && machine.state() == sim::vm::RunState::Running; ++step) {
      machine.Step();
      if (machine.pc() < 0 || machine.pc() >= sim::vm::kCodeBitLimit) return "the program counter left the image";
      if (machine.returnDepth() < 0 || machine.returnDepth() > sim::vm::kReturnStackSize) return "return stack out of range";
    }
    if (machine.state() == sim::vm::RunState::Fault && machine.fault().empty()) return "a fault without a reason";
  }
  return {};
}

}  // namespace fuzz
