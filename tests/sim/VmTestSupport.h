#pragma once
// Compiling Tessic sources into images for the virtual module's decoder and interpreter tests.

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "sim/vm/ObjectCode.h"
#include "tokenizer/Tokenizer.h"

namespace vmtest {

struct Compiled {
  bool ok = false;
  std::string error;
  sim::vm::Image image{};
  int codeEnd = 0;
  int module = 2;
};

inline Compiled CompileSource(std::string_view source) {
  Compiled c;
  auto t = std::make_unique<tok::Tokenizer>();
  t->SetSource(source);
  c.ok = t->Tokenize(false, true, false);
  if (!c.ok) {
    c.error = t->TokenizeResult.ErrorText ? t->TokenizeResult.ErrorText : "failed";
    return c;
  }
  for (int i = 0; i < sim::vm::kImageSize; ++i) c.image[i] = t->TokenizeResult.EEPROM[i];
  c.codeEnd = t->CodeBitPos;
  c.module = t->TokenizeResult.TargetModule;
  return c;
}

// A VD2 program in Tessic 2.5 around `body`.
inline Compiled CompileBody(std::string_view body) {
  return CompileSource("'{$VARDA VD2}\n'{$TESSIC 2.5}\n" + std::string(body) + "\n");
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace vmtest

#include <deque>

#include "sim/vm/Machine.h"

namespace vmtest {

// Pins, tones and the programming port as a test scripts them.
struct ScriptIo : sim::vm::Io {
  uint16_t inputs = 0xFFFF;
  std::deque<uint8_t> pcBytes;  // what the PC sends, available at once
  std::string sent;             // bytes sent to the PC
  struct PulseRecord {
    int64_t at;
    int pin;
    int64_t width;
  };
  std::vector<PulseRecord> pulses;
  struct ToneRecord {
    int pin;
    int64_t duration;
    int f1, f2;
  };
  std::vector<ToneRecord> tones;

  uint16_t Inputs(int64_t) override { return inputs; }
  void Pulse(int64_t us, int pin, int64_t width) override { pulses.push_back({us, pin, width}); }
  void Tone(int64_t, int pin, int64_t duration, int f1, int f2) override { tones.push_back({pin, duration, f1, f2}); }
  void SerialOut(int64_t, int pin, uint8_t byte) override {
    if (pin == sim::vm::kProgrammingPort) sent += static_cast<char>(byte);
  }
  int SerialIn(int64_t us, int pin, int64_t deadline, int64_t& arrival) override {
    if (pin != sim::vm::kProgrammingPort || pcBytes.empty()) return deadline >= 0 ? kTimeout : kNoMoreInput;
    arrival = us + 1042;
    const int b = pcBytes.front();
    pcBytes.pop_front();
    return b;
  }
};

struct Run {
  std::unique_ptr<ScriptIo> io = std::make_unique<ScriptIo>();
  std::unique_ptr<sim::vm::Machine> machine;
  std::string error;
};

// Compiles `body` as a VD2 program and runs it for at most `limitUs` of simulated time.
inline Run RunBody(const std::string& body, const std::string& pcInput = "", int64_t limitUs = 20'000'000) {
  Run r;
  const Compiled c = CompileBody(body);
  if (!c.ok) {
    r.error = "compile error: " + c.error;
    return r;
  }
  r.io->pcBytes.assign(pcInput.begin(), pcInput.end());
  r.machine = std::make_unique<sim::vm::Machine>(c.image, *r.io);
  r.machine->RunUntil(limitUs);
  if (r.machine->state() == sim::vm::RunState::Fault) r.error = "fault: " + r.machine->fault();
  return r;
}

}  // namespace vmtest
