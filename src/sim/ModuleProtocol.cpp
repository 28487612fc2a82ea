#include "sim/ModuleProtocol.h"

namespace sim {
namespace {

constexpr auto kVD2Bytes = protocol::kVD2Handshake;
using protocol::kVD2EByte;
using protocol::kVD2PByte;
using protocol::kVD2SXByte;
constexpr std::uint8_t kGarbageStatus = 0x5A;
// A pause this long abandons a half-received packet or command as well.
constexpr int kAbandonPauseMs = 300;

std::uint8_t IdentificationByteOf(int moduleType) {
  switch (moduleType) {
    case kVD2E: return kVD2EByte;
    case kVD2SX: return kVD2SXByte;
    case kVD2P: return kVD2PByte;
    default: return kVD2Bytes[0];
  }
}

}  // namespace

bool IsIdentificationByte(std::uint8_t byte) {
  return byte == kVD2Bytes[0] || byte == kVD2EByte || byte == kVD2SXByte || byte == kVD2PByte;
}

ModuleProtocol::ModuleProtocol(RobotConfig config) : config_(config) {}

bool ModuleProtocol::AtBoundary() const {
  if (state_ == State::Download) return packetFill_ == 0;
  if (state_ == State::Running) return commandFill_ == 0;
  return true;
}

std::vector<std::uint8_t> ModuleProtocol::OnByte(std::uint8_t byte, int silenceMs) {
  std::vector<std::uint8_t> out;
  lastByteDelayMs_ = 0;
  if (config_.fault.kind == FaultKind::NoAnswer || state_ == State::Silent || hungUp_) return out;
  // The line dies with the first byte after a complete handshake, before that byte is echoed.
  if (config_.fault.kind == FaultKind::HangUpAfterHandshake && handshakesDone_ > 0) {
    hungUp_ = true;
    return out;
  }

  // No DTR or BREAK reaches us: an identification byte after a pause is a fresh start.
  const bool pause = silenceMs >= config_.resetPauseMs;
  if (pause && IsIdentificationByte(byte) && (AtBoundary() || silenceMs >= kAbandonPauseMs)) {
    state_ = State::Idle;
    packetFill_ = 0;
    commandFill_ = 0;
  }

  // The module's hardware echoes every byte it receives.
  out.push_back(EchoOf(byte));

  switch (state_) {
    case State::Idle: HandleIdle(byte, out); break;
    case State::Handshake: HandleHandshake(byte, out); break;
    case State::ProgramNumber: StartDownload(); break;  // the program number needs only its echo
    case State::Download: HandleDownload(byte, out); break;
    case State::Running: HandleRunning(byte, out); break;
    case State::Silent: break;
  }
  return out;
}

bool ModuleProtocol::FaultAt(FaultKind kind, int packet) const {
  return config_.fault.kind == kind && config_.fault.packet == packet;
}

std::uint8_t ModuleProtocol::EchoOf(std::uint8_t byte) const {
  if (config_.fault.kind == FaultKind::WrongEcho) return std::uint8_t(byte ^ 0x5A);
  // The fifth byte of the faulty packet's echo comes back with its lowest bit flipped.
  constexpr int kAlteredByte = 4;
  if (state_ == State::Download && packetFill_ == kAlteredByte &&
      FaultAt(FaultKind::EchoByteWrongAt, download_.packetsReceived + 1)) {
    return std::uint8_t(byte ^ 0x01);
  }
  return byte;
}

void ModuleProtocol::HandleIdle(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (byte != IdentificationByteOf(config_.moduleType)) return;
  if (config_.moduleType == kVD2) {
    out.push_back(std::uint8_t(256 - byte));
    state_ = State::Handshake;
    handshakeStep_ = 1;
    return;
  }
  out.push_back(IdentificationReply());
  state_ = State::ProgramNumber;
}

std::uint8_t ModuleProtocol::IdentificationReply() const {
  switch (config_.moduleType) {
    case kVD2E: return kVD2EByte;
    case kVD2SX: return std::uint8_t(kVD2SXByte + config_.minorVersion);
    case kVD2P: {
      std::uint8_t reply = std::uint8_t(kVD2PByte + config_.minorVersion);
      if (config_.pinCount == 24) reply |= protocol::kVD2PPinBit;
      return reply;
    }
    default: return 0;
  }
}

void ModuleProtocol::HandleHandshake(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (handshakeStep_ < 3) {
    if (byte != kVD2Bytes[handshakeStep_]) {
      state_ = State::Idle;
      HandleIdle(byte, out);
      return;
    }
    out.push_back(std::uint8_t(256 - byte));
    ++handshakeStep_;
    return;
  }
  if (byte != 0) {
    state_ = State::Idle;
    HandleIdle(byte, out);
    return;
  }
  out.push_back(config_.versionByte);
  StartDownload();
  handshakesDone_++;
}

void ModuleProtocol::StartDownload() {
  state_ = State::Download;
  packetFill_ = 0;
  download_ = DownloadRecord{};
  download_.eeprom = eeprom_;
}

void ModuleProtocol::HandleDownload(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (packetFill_ == 0 && byte == 0) {
    // The closing zero: an address byte always has bit 7 set, so this cannot start a packet.
    state_ = State::Running;
    commandFill_ = 0;
    download_.eeprom = eeprom_;
    ++downloadsCompleted_;
    if (downloadHook_) downloadHook_(download_);
    return;
  }
  packet_[packetFill_++] = byte;
  if (packetFill_ < kPacketSize) return;
  packetFill_ = 0;

  const int number = ++download_.packetsReceived;
  std::uint8_t status = 0;
  const bool stray = FaultAt(FaultKind::StrayAfterEcho, number);
  if (stray) out.push_back(0x00);  // between the echo and the status, which refuses the packet
  if ((config_.fault.kind == FaultKind::StatusTwoAt && config_.fault.packet == number) || stray) {
    status = protocol::kStatusVerifyError;
  } else if (config_.fault.kind == FaultKind::GarbageAt && config_.fault.packet == number) {
    status = kGarbageStatus;
  } else {
    status = CheckAndStorePacket();
  }
  if (FaultAt(FaultKind::LateStatusAt, number)) lastByteDelayMs_ = config_.lateStatusMs;
  if (status == 0) ++download_.packetsAccepted;
  out.push_back(status);
  if (config_.fault.kind == FaultKind::SilentAfter && config_.fault.packet == number) {
    state_ = State::Silent;
  }
}

std::uint8_t ModuleProtocol::CheckAndStorePacket() {
  if ((packet_[0] & 0x80) == 0) return 2;
  unsigned sum = 0;
  for (std::uint8_t b : packet_) sum += b;
  if ((sum & 0xFF) != 0) return 2;
  const int block = packet_[0] & 0x7F;
  for (int i = 0; i < 16; ++i) eeprom_[block * 16 + i] = packet_[1 + i];
  download_.blocksWritten.set(block);
  download_.eeprom = eeprom_;
  return 0;
}

void ModuleProtocol::HandleRunning(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  command_[commandFill_++] = byte;
  if (commandFill_ < kCommandSize) return;
  commandFill_ = 0;
  if (commandHandler_) {
    if (auto answer = commandHandler_(command_)) out.push_back(*answer);
    return;
  }
  out.push_back(config_.sensorByte);
}

}  // namespace sim
