#pragma once
// The VD2 interpreter: runs the object code of an EEPROM image on simulated time.
//
// RAM is 16 words (word 0 the input pins INS, 1 the output latch OUTS, 2 the directions DIRS);
// word w is bytes 2w (low) and 2w+1. The evaluation stack holds 8 values, the return stack 4
// GOSUB numbers. Pins 0..15 are the module's pins; pin 16 is the programming port.
//
// Time: every statement costs kStatementUs plus kTokenUs per expression token it evaluates;
// waits, pulses, tones and serial bytes add their own length. With these costs the robot
// program's driving cycle (two pulses of about 1.5 ms, PAUSE 8 and eight statements with 37
// tokens) takes about 20 ms, the cycle its CyclesPerTenth assumes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/vm/ObjectCode.h"

namespace sim::vm {

inline constexpr int64_t kStatementUs = 200;
inline constexpr int64_t kTokenUs = 200;
inline constexpr int64_t kEepromWriteUs = 3500;
inline constexpr int kProgrammingPort = 16;
inline constexpr int kStackSize = 8;
inline constexpr int kReturnStackSize = 4;

// What the module's pins are connected to. Times are simulated microseconds since reset.
class Io {
 public:
  virtual ~Io() = default;
  // Levels seen on the 16 pins at time `us` (only the bits of input pins are used).
  virtual uint16_t Inputs(int64_t /*us*/) { return 0xFFFF; }
  virtual void PinsChanged(int64_t /*us*/, uint16_t /*outs*/, uint16_t /*dirs*/) {}
  // A pulse of `widthUs` on an output pin starting at `us`.
  virtual void Pulse(int64_t /*us*/, int /*pin*/, int64_t /*widthUs*/) {}
  // A tone (or two) on a pin from `us` for `durationUs`.
  virtual void Tone(int64_t /*us*/, int /*pin*/, int64_t /*durationUs*/, int /*freq1*/, int /*freq2*/) {}
  // One byte sent on a pin (16: to the PC) whose last bit ends at `us`.
  virtual void SerialOut(int64_t /*us*/, int /*pin*/, uint8_t /*byte*/) {}
  // The next byte that arrives on a pin from `us` on: returns it and sets `arrivalUs`; returns
  // kTimeout when none arrives before `deadlineUs` (< 0: no deadline), kNoMoreInput when none
  // will ever arrive (the program then stops waiting and the run ends).
  static constexpr int kTimeout = -1, kNoMoreInput = -2;
  virtual int SerialIn(int64_t /*us*/, int /*pin*/, int64_t /*deadlineUs*/, int64_t& /*arrivalUs*/) {
    return kNoMoreInput;
  }
};

enum class RunState { Running, Ended, Stopped, WaitingForInput, Fault };

class Machine {
 public:
  Machine(const Image& image, Io& io, int module = 2);

  // Clears RAM and stacks and starts at the first statement; the EEPROM keeps its contents.
  void Reset();
  // Runs one statement.
  RunState Step();
  // Runs statements until the simulated time reaches `untilUs` or the program stops.
  RunState RunUntil(int64_t untilUs);

  RunState state() const { return state_; }
  const std::string& fault() const { return fault_; }
  int64_t now() const { return now_; }
  int pc() const { return pc_; }
  int statementsRun() const { return statementsRun_; }

  uint16_t Word(int w) const {
    return static_cast<uint16_t>(ram_[2 * (w & 15)] | (ram_[2 * (w & 15) + 1] << 8));
  }
  uint8_t Byte(int b) const { return ram_[b & 31]; }
  uint16_t ReadCell(int size, int address);
  void WriteCell(int size, int address, uint16_t value);
  const Image& eeprom() const { return eeprom_; }
  int returnDepth() const { return returnDepth_; }

 private:
  struct Abort {};  // leaves a statement early (fault or end of input)

  const Statement& StatementAt(int at);
  void Execute(const Statement& s);
  void Push(uint16_t value);
  uint16_t Pop();
  void Evaluate(const std::vector<Token>& tokens);
  std::vector<uint16_t> EvaluateValues(const std::vector<Token>& tokens);
  void StoreWith(const Field& store, uint16_t value);
  void Fail(const std::string& message);
  void Jump(int position) { next_ = position; }
  void RefreshInputs();
  void PinsChanged();
  void SetPinOutput(int pin, int level);  // level -1 keeps the latch

  // Serial and item lists.
  void SerialOutput(const Statement& s, int pin, int64_t bitUs, int64_t paceUs, bool toDevice);
  bool SerialInput(const Statement& s, int pin, int64_t bitUs, int64_t timeoutUs, bool fromDevice);
  // A number in `format` (SERIN's formatters); false when the input ran dry.
  bool ReceiveNumber(uint16_t format, const std::function<int()>& receive, uint16_t& result);
  bool WaitForBytes(const std::vector<uint8_t>& want, const std::function<int()>& receive);
  int ReceiveByte(int pin, int64_t bitUs, int64_t timeoutUs, bool fromDevice);
  void SendByte(int pin, uint8_t byte, int64_t bitUs, int64_t paceUs, bool toDevice);

  void ExecuteControl(const Statement& s, const std::vector<uint16_t>& a);
  void ExecutePins(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteTiming(const Statement& s, const std::vector<uint16_t>& a);
  void CallOrReturn(const Statement& s);
  void ExecuteNext(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteLookup(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteShiftin(const Statement& s, const std::vector<uint16_t>& a);
  void ExecutePulseTiming(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteButton(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteSendTiming(const Statement& s, const std::vector<uint16_t>& a);
  void ExecuteSerial(const Statement& s, const std::vector<uint16_t>& a);

  Image eeprom_;
  Io& io_;
  Decoder decoder_;
  std::unordered_map<int, Statement> cache_;
  int lowestCodeByte_ = kImageSize;

  std::array<uint8_t, 32> ram_{};
  std::array<uint8_t, 64> scratch_{};
  std::array<uint16_t, kStackSize> stack_{};
  int depth_ = 0;
  std::array<uint8_t, kReturnStackSize> returns_{};
  int returnDepth_ = 0;
  uint16_t random_ = 0;

  RunState state_ = RunState::Running;
  std::string fault_;
  int pc_ = 0;
  int next_ = 0;
  int64_t now_ = 0;
  // Bytes one statement has read from an I2C, LCD or 1-Wire device that is not there; past a
  // limit the statement can never finish (a number or WAIT that never comes) and waits for good.
  int deviceBytes_ = 0;
  int statementsRun_ = 0;
};

// Arithmetic of the expression tokens on unsigned 16-bit values.
uint16_t ApplyUnary(int code, uint16_t x);
uint16_t ApplyBinary(int code, uint16_t x, uint16_t y);
// The next value of RANDOM's fixed pseudo-random sequence.
uint16_t NextRandom(uint16_t x);

// Number formats of the item lists: 256 + radix code (6 decimal, 0 hexadecimal, 14 binary)
// + 16 * (16 - digits) + 512 fixed width + 1024 signed + 2048 indicated (+ 4096 any radix).
std::string FormatNumber(uint16_t format, uint16_t value);
// Microseconds per bit of a baud mode (84 -> 104, 9600 baud).
int64_t BitTimeUs(uint16_t baudMode);

}  // namespace sim::vm
