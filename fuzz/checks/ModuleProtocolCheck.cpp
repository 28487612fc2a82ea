// The virtual robot's protocol side on arbitrary bytes: every byte is echoed (unless the
// module is dead or has gone silent), at most one answer follows the echo, and the EEPROM
// only changes through an accepted packet, one 16-byte block at a time.

#include <string>

#include "Checks.h"
#include "sim/ModuleProtocol.h"

namespace fuzz {
namespace {

sim::RobotConfig ConfigOf(std::uint8_t a, std::uint8_t b) {
  sim::RobotConfig config;
  config.moduleType = sim::kVD2 + (a & 3);
  config.fault.kind = static_cast<sim::FaultKind>((a >> 2) % 6);
  config.fault.packet = (a >> 5) + 1;
  config.minorVersion = b & 7;
  config.pinCount = (b & 8) ? 24 : 40;
  config.versionByte = static_cast<std::uint8_t>(b & 0xF0);
  config.sensorByte = b;
  return config;
}

int ChangedBlocks(const sim::Eeprom& before, const sim::Eeprom& after) {
  int changed = 0;
  for (int block = 0; block < sim::kBlockCount; ++block) {
    for (int i = 0; i < 16; ++i) {
      if (before[block * 16 + i] != after[block * 16 + i]) {
        ++changed;
        break;
      }
    }
  }
  return changed;
}

}  // namespace

std::string CheckModuleProtocol(Bytes input) {
  if (input.size() < 2) return {};
  const sim::RobotConfig config = ConfigOf(input[0], input[1]);
  sim::ModuleProtocol module(config);
  int downloadsSeen = 0;
  module.SetDownloadHook([&](const sim::DownloadRecord&) { ++downloadsSeen; });

  sim::Eeprom eepromBefore = module.eeprom();
  for (std::size_t i = 2; i + 1 < input.size(); i += 2) {
    const int silence = input[i] * 4;  // 0..1020 ms: either side of the reset and abandon pauses
    const std::uint8_t byte = input[i + 1];
    const sim::ModuleProtocol::State stateBefore = module.state();

    const std::vector<std::uint8_t> out = module.OnByte(byte, silence);

    const bool mute = config.fault.kind == sim::FaultKind::NoAnswer || stateBefore == sim::ModuleProtocol::State::Silent;
    if (mute) {
      if (!out.empty()) return "a dead or silent module answered";
      continue;
    }
    if (out.empty()) return "a byte without its echo";
    const std::uint8_t echo = config.fault.kind == sim::FaultKind::WrongEcho ? std::uint8_t(byte ^ 0x5A) : byte;
    if (out[0] != echo) return "the echo is not the byte received";
    if (out.size() > 2) return "more than one answer to one byte";

    if (module.eeprom() != eepromBefore) {
      if (ChangedBlocks(eepromBefore, module.eeprom()) > 1) return "one byte changed several EEPROM blocks";
      if (!(out.size() == 2 && out[1] == 0)) return "the EEPROM changed without an accepted packet";
      eepromBefore = module.eeprom();
    }

    const sim::DownloadRecord& d = module.lastDownload();
    if (d.packetsAccepted > d.packetsReceived) return "more packets accepted than received";
  }
  if (downloadsSeen != module.downloadsCompleted()) return "the download hook did not run once per download";
  return {};
}

}  // namespace fuzz
