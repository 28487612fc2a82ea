// Serial output and input of the interpreter with their item lists, and the device lists
// (LCD, I2C, 1-Wire) that have nothing attached on the virtual robot.
//
// An output item leaves 1 value (a byte), 2 values (number format and number, or a STR
// address and count) or 3 values (REP: byte, 1024, count). An input item pushes nothing
// (a byte into the store that follows), a number format and 0 (a number into the store), or a
// marker with its operands: 4096 SPSTR, 1024 SKIP, 2048/2560 + address WAITSTR, an address
// (+512 with a terminator below it) STR, and 3140 with the count of WAIT's bytes.

#include "sim/vm/Machine.h"

namespace sim::vm {

namespace {

// Twice the longest count an item (SKIP, STR) can ask for.
constexpr int kDeviceByteLimit = 2 * 65536;

uint16_t Arg(const std::vector<uint16_t>& a, size_t i) {
  return i < a.size() ? a[i] : 0;
}

int DigitValue(int byte, int radix) {
  int d = -1;
  if (byte >= '0' && byte <= '9') d = byte - '0';
  if (byte >= 'A' && byte <= 'F') d = byte - 'A' + 10;
  if (byte >= 'a' && byte <= 'f') d = byte - 'a' + 10;
  return d < radix ? d : -1;
}

}  // namespace

void Machine::SendByte(int pin, uint8_t byte, int64_t bitUs, int64_t paceUs, bool toDevice) {
  now_ += 10 * bitUs;
  if (!toDevice) io_.SerialOut(now_, pin, byte);
  now_ += paceUs;
}

int Machine::ReceiveByte(int pin, int64_t bitUs, int64_t timeoutUs, bool fromDevice) {
  if (fromDevice) {
    // No device answers: the lines read low. A statement that wants more than any item list
    // can hold (an endless number, a WAIT for something else) would wait forever.
    if (++deviceBytes_ > kDeviceByteLimit) {
      state_ = RunState::WaitingForInput;
      throw Abort{};
    }
    now_ += 10 * bitUs;
    return 0;
  }
  const int64_t deadline = timeoutUs >= 0 ? now_ + timeoutUs : -1;
  int64_t arrival = now_;
  const int byte = io_.SerialIn(now_, pin, deadline, arrival);
  if (byte == Io::kTimeout) {
    now_ = deadline;
    return -1;
  }
  if (byte < 0) {
    state_ = RunState::WaitingForInput;
    throw Abort{};
  }
  now_ = std::max(now_, arrival);
  return byte & 255;
}

void Machine::SerialOutput(const Statement& s, int pin, int64_t bitUs, int64_t paceUs, bool toDevice) {
  for (const Field& f : s.fields) {
    if (f.kind != Field::Sub) continue;
    const std::vector<uint16_t> v = EvaluateValues(f.tokens);
    std::string bytes;
    if (v.size() == 1) {
      bytes += static_cast<char>(v[0]);
    } else if (v.size() == 2 && (v[0] & 256)) {
      bytes = FormatNumber(v[0], v[1]);
    } else if (v.size() == 2) {  // STR: a count, or up to a 0 byte with the 512 flag
      const int address = v[0] & 31;
      for (int i = 0; i < v[1] && address + i < 32; ++i) {
        const uint8_t b = ram_[address + i];
        if ((v[0] & 512) && b == 0) break;
        bytes += static_cast<char>(b);
      }
    } else if (v.size() == 3) {  // REP
      bytes.assign(std::min<int>(v[2], 65535), static_cast<char>(v[0]));
    }
    for (char c : bytes) SendByte(pin, static_cast<uint8_t>(c), bitUs, paceUs, toDevice);
  }
}

bool Machine::ReceiveNumber(uint16_t format, const std::function<int()>& receive, uint16_t& result) {
  // A number: junk before it is skipped; the first byte after its digits ends it.
  const bool any = format & 4096, isSigned = format & 1024, indicated = format & 2048, fixed = format & 512;
  const int code = format & 15;
  int radix = any ? 10 : code == 0 ? 16 : code == 14 ? 2 : 10;
  const int digits = 16 - ((format >> 4) & 15);
  bool negative = false, prefixed = false;
  int count = 0;
  uint32_t value = 0;
  while (true) {
    const int b = receive();
    if (b < 0) return false;
    if (count == 0 && isSigned && b == '-') {
      negative = true;
      continue;
    }
    if (count == 0 && (indicated || any) && (b == '$' || b == '%')) {
      radix = b == '$' ? 16 : 2;
      prefixed = true;
      continue;
    }
    const int d = DigitValue(b, radix);
    if (d >= 0 && (!indicated || prefixed)) {
      value = value * radix + d;
      if (++count == digits && (fixed || !any)) break;
      continue;
    }
    if (count > 0) break;
    negative = prefixed = false;
    radix = any ? 10 : radix;
  }
  result = static_cast<uint16_t>(negative ? -value : value);
  return true;
}

// Receives until the bytes of `want` arrived in a row; false when the input ran dry.
bool Machine::WaitForBytes(const std::vector<uint8_t>& want, const std::function<int()>& receive) {
  size_t matched = 0;
  while (matched < want.size()) {
    const int b = receive();
    if (b < 0) return false;
    matched = (b == want[matched]) ? matched + 1 : (b == want[0] ? 1 : 0);
  }
  return true;
}

bool Machine::SerialInput(const Statement& s, int pin, int64_t bitUs, int64_t timeoutUs, bool fromDevice) {
  auto receive = [&]() { return ReceiveByte(pin, bitUs, timeoutUs, fromDevice); };
  for (size_t i = 0; i < s.fields.size(); ++i) {
    const Field& f = s.fields[i];
    if (f.kind != Field::Pushes) continue;
    const std::vector<uint16_t> v = EvaluateValues(f.tokens);
    const bool stores = i + 1 < s.fields.size() && s.fields[i + 1].kind == Field::Store;
    if (stores && v.empty()) {
      const int b = receive();
      if (b < 0) return false;
      StoreWith(s.fields[i + 1], static_cast<uint16_t>(b));
    } else if (stores) {
      uint16_t number = 0;
      if (!ReceiveNumber(v[0], receive, number)) return false;
      StoreWith(s.fields[i + 1], number);
    } else if (v.size() >= 2 && v[v.size() - 2] == 3140) {  // WAIT: the last value pushed first
      const int k = std::min<int>(v.back(), static_cast<int>(v.size()) - 2);
      std::vector<uint8_t> want;
      for (int j = k - 1; j >= 0; --j) want.push_back(static_cast<uint8_t>(v[j]));
      if (!WaitForBytes(want, receive)) return false;
    } else if (v.size() == 2 && (v[0] == 1024 || v[0] == 4096)) {  // SKIP, SPSTR
      for (int n = 0; n < v[1]; ++n)
        if (receive() < 0) return false;
    } else if (v.size() == 2 && (v[0] & 2048)) {  // WAITSTR: the string in RAM
      const int address = v[0] & 31;
      std::vector<uint8_t> want;
      for (int n = 0; n < v[1] && address + n < 32; ++n) {
        if (!(v[0] & 512) && ram_[address + n] == 0) break;
        want.push_back(ram_[address + n]);
      }
      if (!WaitForBytes(want, receive)) return false;
    } else if (v.size() == 2 || v.size() == 3) {  // STR, with a terminator below when 3 values
      const uint16_t marker = v[v.size() - 2];
      const int address = marker & 31;
      for (int n = 0; n < v.back() && address + n < 32; ++n) {
        const int b = receive();
        if (b < 0) return false;
        if (v.size() == 3 && b == (v[0] & 255)) break;
        ram_[address + n] = static_cast<uint8_t>(b);
      }
    }
  }
  return true;
}

void Machine::ExecuteSerial(const Statement& s, const std::vector<uint16_t>& a) {
  const size_t n = a.size();
  switch (s.op) {
    case OpSerout:
    case OpSeroutFlow: {
      const bool flow = s.op == OpSeroutFlow;
      const size_t pinAt = n - (flow ? 2 : 1);
      const int pin = Arg(a, pinAt);
      const int64_t bitUs = BitTimeUs(Arg(a, pinAt - 1));
      const int64_t paceUs = (!flow && n == 3) ? int64_t{a[0]} * 1000 : 0;
      SerialOutput(s, pin == kProgrammingPort ? kProgrammingPort : pin & 15, bitUs, paceUs, false);
      break;
    }
    case OpSerin:
    case OpSerinFlow: {
      // Values below the timeout slot; an image with fewer values than the form needs has none.
      const size_t slotsAbove = s.op == OpSerinFlow ? 4 : 3;
      const size_t extra = n > slotsAbove ? n - slotsAbove : 0;
      const size_t pinAt = n - (s.op == OpSerinFlow ? 2 : 1);
      const int pin = Arg(a, pinAt);
      const int64_t bitUs = BitTimeUs(Arg(a, pinAt - 1));
      int64_t timeoutUs = -1;
      int timeoutLabel = -1;
      // The value right below the baud mode is the timeout when a label constant lies below it.
      if (extra >= 1 && IsLabelConstant(a[extra - 1])) {
        timeoutUs = int64_t{a[extra]} * 1000;
        timeoutLabel = LabelPosition(a[extra - 1]);
      }
      if (!SerialInput(s, pin == kProgrammingPort ? kProgrammingPort : pin & 15, bitUs, timeoutUs, false))
        Jump(timeoutLabel);
      break;
    }
    case OpLcdout:
    case OpI2coutLow:
    case OpI2cout:
    case OpOwout:
      SerialOutput(s, Arg(a, n - 1) & 15, 100, 0, true);
      break;
    default:
      SerialInput(s, Arg(a, n - 1) & 15, 100, -1, true);
      break;
  }
}

}  // namespace sim::vm
