// rovalis-sim: a standalone virtual robot. Prints the pseudo-terminal to download to, answers
// until interrupted (Ctrl+C) or until its input ends, then prints what it received.

#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/core/Language.h"
#include "app/core/Texts.h"
#include "sim/VirtualRobot.h"

namespace {

// The message texts of this tool, by number in the text sets.
enum SimText {
  kReceivedText = 540,
  kLastDownloadText = 541,
  kNeedsNumberText = 542,
  kTypeRangeText = 543,
  kFaultKindsText = 544,
  kUnknownOptionText = 545,
};

std::string Text(int number) {
  return app::LoadText(number).toStdString();
}

std::string Text(int number, const std::string& argument) {
  return app::LoadText(number).arg(QString::fromStdString(argument)).toStdString();
}

void PrintUsage() {
  std::cout << "usage: rovalis-sim [OPTIONS]\n"
               "  --type N          module type: 2 VD2 (default), 3 VD2E, 4 VD2SX, 5 VD2P\n"
               "  --version 0xNN    VD2 version byte (default 0x10, read as v1.0)\n"
               "  --minor N         VD2SX/VD2P minor version\n"
               "  --pins 24|40      VD2P package\n"
               "  --sensor N        answer byte of the test exchange\n"
               "  --timing          pace every byte at 9600 baud\n"
               "  --fault KIND[:K]  no-answer, wrong-echo, status2:K, garbage:K, silent-after:K,\n"
               "                    stray-byte:K (0x00 after the echo of packet K, then status 2),\n"
               "                    late-status:K (status of packet K 400 ms late),\n"
               "                    echo-byte:K (one wrong byte in the echo of packet K),\n"
               "                    hang-up (the port closes at the first byte after a handshake)\n"
               "  --wait-stdin      end when standard input ends instead of on a signal\n"
               "  --lang es|en      "
            << app::kLanguageOptionHelp << "\n"
            << "\nIt reads and writes no files; the report goes to standard output.\n"
               "exit status: 0 stopped normally, 1 the pseudo-terminal cannot be opened, 2 wrong options.\n";
}

bool ParseNumber(const std::string& text, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 0);
  if (end == text.c_str() || *end != '\0') return false;
  out = int(value);
  return true;
}

bool ParseFault(const std::string& text, sim::Fault& fault) {
  const auto colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  int packet = 0;
  if (colon != std::string::npos && !ParseNumber(text.substr(colon + 1), packet)) return false;
  if (kind == "no-answer") fault.kind = sim::FaultKind::NoAnswer;
  else if (kind == "wrong-echo") fault.kind = sim::FaultKind::WrongEcho;
  else if (kind == "status2") fault.kind = sim::FaultKind::StatusTwoAt;
  else if (kind == "garbage") fault.kind = sim::FaultKind::GarbageAt;
  else if (kind == "silent-after") fault.kind = sim::FaultKind::SilentAfter;
  else if (kind == "stray-byte")
    fault.kind = sim::FaultKind::StrayAfterEcho;
  else if (kind == "late-status")
    fault.kind = sim::FaultKind::LateStatusAt;
  else if (kind == "echo-byte")
    fault.kind = sim::FaultKind::EchoByteWrongAt;
  else if (kind == "hang-up")
    fault.kind = sim::FaultKind::HangUpAfterHandshake;
  else return false;
  fault.packet = packet;
  return true;
}

// Reads the options into `config`; -1 when the robot should start, else the exit status.
int ParseOptions(const std::vector<std::string>& args, sim::RobotConfig& config, bool& waitStdin) {
  const std::size_t count = args.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& arg = args[i];
    int number = 0;
    // The number after the option; false (after saying so) when there is none.
    auto value = [&] {
      if (i + 1 >= count || !ParseNumber(args[i + 1], number)) {
        std::cerr << "rovalis-sim: " << Text(kNeedsNumberText, arg) << "\n";
        return false;
      }
      ++i;
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    } else if (arg == "--timing") {
      config.byteTiming = true;
    } else if (arg == "--wait-stdin") {
      waitStdin = true;
    } else if (arg == "--fault") {
      if (i + 1 >= count || !ParseFault(args[i + 1], config.fault)) {
        std::cerr << "rovalis-sim: " << Text(kFaultKindsText) << "\n";
        return 2;
      }
      ++i;
    } else if (arg == "--type" || arg == "--version" || arg == "--minor" || arg == "--pins" ||
               arg == "--sensor") {
      if (!value()) return 2;
      if (arg == "--type" && (number < 2 || number > 5)) {
        std::cerr << "rovalis-sim: " << Text(kTypeRangeText) << "\n";
        return 2;
      }
      if (arg == "--type") config.moduleType = number;
      if (arg == "--version") config.versionByte = std::uint8_t(number);
      if (arg == "--minor") config.minorVersion = number;
      if (arg == "--pins") config.pinCount = number;
      if (arg == "--sensor") config.sensorByte = std::uint8_t(number);
    } else {
      std::cerr << "rovalis-sim: " << Text(kUnknownOptionText, arg) << "\n";
      return 2;
    }
  }
  return -1;
}

// What arrived while the robot ran: bytes, downloads and the EEPROM blocks written.
void PrintReport(const sim::VirtualRobot& robot) {
  const auto record = robot.lastDownload();
  const auto received = robot.received();
  std::cout << app::LoadText(kReceivedText).arg(received.size()).arg(robot.downloadsCompleted()).toStdString()
            << "\n";
  if (robot.downloadsCompleted() == 0) return;
  std::cout << app::LoadText(kLastDownloadText)
                   .arg(record.packetsAccepted)
                   .arg(record.packetsReceived)
                   .toStdString();
  for (int block = 0; block < sim::kBlockCount; ++block) {
    if (record.blocksWritten.test(block)) std::cout << ' ' << block;
  }
  std::cout << "\n";
  const auto& eeprom = record.eeprom;
  for (int block = 0; block < sim::kBlockCount; ++block) {
    if (!record.blocksWritten.test(block)) continue;
    std::printf("%04X:", block * 16);
    for (int i = 0; i < 16; ++i) std::printf(" %02X", eeprom[block * 16 + i]);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<app::Language> language;
  if (const std::string error = app::TakeLanguageOption(args, language); !error.empty()) {
    std::cerr << "rovalis-sim: " << error << "\n";
    return 2;
  }
  app::StartLanguage(language);
  sim::RobotConfig config;
  bool waitStdin = false;
  if (const int status = ParseOptions(args, config, waitStdin); status >= 0) return status;

  // The signals are taken by sigwait below, not by handlers, so block them before the
  // robot's thread starts (it inherits the mask).
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::VirtualRobot robot(config);
  std::string error;
  if (!robot.Start(&error)) {
    std::cerr << "rovalis-sim: " << error << "\n";
    return 1;
  }
  std::cout << robot.DevicePath() << std::endl;

  if (waitStdin) {
    while (std::getchar() != EOF) {
    }
  } else {
    int signal = 0;
    sigwait(&stopSignals, &signal);
  }
  robot.Stop();
  PrintReport(robot);
  return 0;
}
