// rovalis-sim: a standalone virtual robot. Prints the pseudo-terminal to download to, answers
// until interrupted (Ctrl+C) or until its input ends, then prints what it received.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <pthread.h>

#include "sim/VirtualRobot.h"

namespace {

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
               "  --wait-stdin      end when standard input ends instead of on a signal\n";
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

}  // namespace

int main(int argc, char** argv) {
  sim::RobotConfig config;
  bool waitStdin = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](int& out) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], out)) {
        std::cerr << "rovalis-sim: " << arg << " needs a number\n";
        std::exit(2);
      }
      ++i;
    };
    int number = 0;
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    } else if (arg == "--type") {
      value(number);
      if (number < 2 || number > 5) {
        std::cerr << "rovalis-sim: --type takes 2 to 5\n";
        return 2;
      }
      config.moduleType = number;
    } else if (arg == "--version") {
      value(number);
      config.versionByte = std::uint8_t(number);
    } else if (arg == "--minor") {
      value(number);
      config.minorVersion = number;
    } else if (arg == "--pins") {
      value(number);
      config.pinCount = number;
    } else if (arg == "--sensor") {
      value(number);
      config.sensorByte = std::uint8_t(number);
    } else if (arg == "--timing") {
      config.byteTiming = true;
    } else if (arg == "--wait-stdin") {
      waitStdin = true;
    } else if (arg == "--fault") {
      if (i + 1 >= argc || !ParseFault(argv[i + 1], config.fault)) {
        std::cerr
            << "rovalis-sim: --fault takes no-answer, wrong-echo, status2:K, garbage:K, silent-after:K, "
               "stray-byte:K, late-status:K, echo-byte:K or hang-up\n";
        return 2;
      }
      ++i;
    } else {
      std::cerr << "rovalis-sim: unknown option '" << arg << "' (try --help)\n";
      return 2;
    }
  }

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

  const auto record = robot.lastDownload();
  const auto received = robot.received();
  std::cout << "Received " << received.size() << " bytes; " << robot.downloadsCompleted()
            << " download(s) completed.\n";
  if (robot.downloadsCompleted() > 0) {
    std::cout << "Last download: " << record.packetsAccepted << " of " << record.packetsReceived
              << " packets accepted; EEPROM blocks written:";
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
  return 0;
}
