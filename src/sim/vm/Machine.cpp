// The interpreter's core: statements, expressions, RAM, jumps and the EEPROM.

#include "sim/vm/Machine.h"

namespace sim::vm {

Machine::Machine(const Image& image, Io& io, int module)
    : eeprom_(image), io_(io), decoder_(eeprom_, module) {
  Reset();
}

void Machine::Reset() {
  ram_.fill(0);
  scratch_.fill(0);
  depth_ = 0;
  returnDepth_ = 0;
  random_ = 0;
  fault_.clear();
  cache_.clear();
  now_ = 0;
  statementsRun_ = 0;
  pc_ = decoder_.ReturnTableEntry(0);
  // An image without statements leaves field 0 at 0: the module has nothing to run.
  state_ = pc_ == 0 ? RunState::Ended : RunState::Running;
  lowestCodeByte_ = kImageSize;
  PinsChanged();
}

const Statement& Machine::StatementAt(int at) {
  auto it = cache_.find(at);
  if (it != cache_.end()) return it->second;
  DecodeResult r = decoder_.DecodeAt(at);
  if (!r.ok) Fail(r.error);
  lowestCodeByte_ = std::min(lowestCodeByte_, kImageSize - 1 - (r.statement.end - 1) / 8);
  return cache_.emplace(at, std::move(r.statement)).first->second;
}

RunState Machine::Step() {
  if (state_ != RunState::Running) return state_;
  try {
    const Statement& s = StatementAt(pc_);
    now_ += kStatementUs;
    next_ = s.end;
    depth_ = 0;
    deviceBytes_ = 0;
    Evaluate(s.pushes);
    Execute(s);
    // A last statement that ends on the image's last bit has nothing after it to run.
    if (state_ == RunState::Running && next_ >= kCodeBitLimit)
      Fail("bit " + std::to_string(pc_) + ": the program runs past the end of the EEPROM");
    ++statementsRun_;
    if (state_ == RunState::Running) pc_ = next_;
  } catch (const Abort&) {
  }
  return state_;
}

RunState Machine::RunUntil(int64_t untilUs) {
  while (state_ == RunState::Running && now_ < untilUs) Step();
  return state_;
}

void Machine::Fail(const std::string& message) {
  fault_ = message;
  state_ = RunState::Fault;
  throw Abort{};
}

void Machine::Push(uint16_t value) {
  if (depth_ >= kStackSize) Fail("bit " + std::to_string(pc_) + ": more than 8 values on the stack");
  stack_[depth_++] = value;
}

uint16_t Machine::Pop() {
  if (depth_ == 0) Fail("bit " + std::to_string(pc_) + ": a value is taken from an empty stack");
  return stack_[--depth_];
}

void Machine::RefreshInputs() {
  const uint16_t outs = Word(1), dirs = Word(2);
  const uint16_t ins = static_cast<uint16_t>((outs & dirs) | (io_.Inputs(now_) & ~dirs));
  ram_[0] = static_cast<uint8_t>(ins);
  ram_[1] = static_cast<uint8_t>(ins >> 8);
}

void Machine::PinsChanged() {
  io_.PinsChanged(now_, Word(1), Word(2));
}

uint16_t Machine::ReadCell(int size, int address) {
  switch (size) {
    case 0: {
      const int bit = address & 255;
      if (bit < 16) RefreshInputs();
      return (ram_[bit / 8] >> (bit % 8)) & 1;
    }
    case 1: {
      const int nib = address & 63;
      if (nib < 4) RefreshInputs();
      return (ram_[nib / 2] >> ((nib % 2) * 4)) & 15;
    }
    case 2: {
      const int byte = address & 31;
      if (byte < 2) RefreshInputs();
      return ram_[byte];
    }
    default: {
      const int word = address & 15;
      if (word == 0) RefreshInputs();
      return Word(word);
    }
  }
}

void Machine::WriteCell(int size, int address, uint16_t value) {
  int firstByte = 0, lastByte = 0;
  switch (size) {
    case 0: {
      const int bit = address & 255;
      firstByte = lastByte = bit / 8;
      ram_[bit / 8] = static_cast<uint8_t>((ram_[bit / 8] & ~(1 << (bit % 8))) | ((value & 1) << (bit % 8)));
      break;
    }
    case 1: {
      const int nib = address & 63, shift = (nib % 2) * 4;
      firstByte = lastByte = nib / 2;
      ram_[nib / 2] = static_cast<uint8_t>((ram_[nib / 2] & ~(15 << shift)) | ((value & 15) << shift));
      break;
    }
    case 2:
      firstByte = lastByte = address & 31;
      ram_[firstByte] = static_cast<uint8_t>(value);
      break;
    default:
      firstByte = 2 * (address & 15);
      lastByte = firstByte + 1;
      ram_[firstByte] = static_cast<uint8_t>(value);
      ram_[lastByte] = static_cast<uint8_t>(value >> 8);
  }
  if (lastByte >= 2 && firstByte <= 5) PinsChanged();  // OUTS or DIRS
}

void Machine::Evaluate(const std::vector<Token>& tokens) {
  for (const Token& t : tokens) {
    now_ += kTokenUs;
    if (IsConstant(t.code)) {
      Push(t.value);
    } else if (IsUnary(t.code)) {
      Push(ApplyUnary(t.code, Pop()));
    } else if (IsBinary(t.code)) {
      const uint16_t y = Pop(), x = Pop();
      Push(ApplyBinary(t.code, x, y));
    } else {
      const int size = VariableSize(t.code);
      int address = t.value;
      if (VariableIndexed(t.code)) address += Pop();
      if (VariableWrite(t.code))
        WriteCell(size, address, Pop());
      else
        Push(ReadCell(size, address));
    }
  }
}

std::vector<uint16_t> Machine::EvaluateValues(const std::vector<Token>& tokens) {
  const int base = depth_;
  Evaluate(tokens);
  std::vector<uint16_t> values(stack_.begin() + base, stack_.begin() + depth_);
  depth_ = base;
  return values;
}

void Machine::StoreWith(const Field& store, uint16_t value) {
  Push(value);
  Evaluate(store.tokens);
}

void Machine::SetPinOutput(int pin, int level) {
  const int p = pin & 15;
  uint16_t outs = Word(1), dirs = Word(2);
  dirs = static_cast<uint16_t>(dirs | (1u << p));
  if (level >= 0) outs = static_cast<uint16_t>(level ? (outs | (1u << p)) : (outs & ~(1u << p)));
  WriteCell(3, 1, outs);
  WriteCell(3, 2, dirs);
}

void Machine::Execute(const Statement& s) {
  std::vector<uint16_t> a(stack_.begin(), stack_.begin() + depth_);
  depth_ = 0;
  switch (s.op) {
    case OpEnd:
    case OpStop:
    case OpGoto:
    case OpGosub:
    case OpReturn:
    case OpIf:
    case OpNext:
    case OpBranch:
    case OpLookup:
    case OpLookdown:
    case OpRandom:
    case OpRead:
    case OpWrite:
    case OpGet:
    case OpPut:
    case OpLet:
      ExecuteControl(s, a);
      break;
    case OpOutput:
    case OpHigh:
    case OpToggle:
    case OpLow:
    case OpReverse:
    case OpInput:
      ExecutePins(s, a);
      break;
    case OpSerout:
    case OpSeroutFlow:
    case OpSerin:
    case OpSerinFlow:
    case OpLcdin:
    case OpLcdout:
    case OpI2cinLow:
    case OpI2cin:
    case OpI2coutLow:
    case OpI2cout:
    case OpOwout:
    case OpOwin:
      ExecuteSerial(s, a);
      break;
    default:
      ExecuteTiming(s, a);
  }
}

namespace {
uint16_t Arg(const std::vector<uint16_t>& a, size_t i) {
  return i < a.size() ? a[i] : 0;
}
}  // namespace

void Machine::ExecuteControl(const Statement& s, const std::vector<uint16_t>& a) {
  switch (s.op) {
    case OpEnd:
      state_ = RunState::Ended;
      break;
    case OpStop:
      state_ = RunState::Stopped;
      break;
    case OpGoto:
      Jump(s.fields[0].position);
      break;
    case OpIf:
      if (Arg(a, 0) != 0) Jump(s.fields[0].position);
      break;
    case OpGosub:
    case OpReturn:
      CallOrReturn(s);
      break;
    case OpNext:
      ExecuteNext(s, a);
      break;
    case OpBranch: {
      int index = 0;
      for (const Field& f : s.fields)
        if (f.kind == Field::Address && index++ == Arg(a, 0)) {
          Jump(f.position);
          break;
        }
      break;
    }
    case OpLookup:
    case OpLookdown:
      ExecuteLookup(s, a);
      break;
    case OpRandom:
      StoreWith(s.fields[0], NextRandom(Arg(a, 0)));
      break;
    case OpRead:
      StoreWith(s.fields[1], eeprom_[Arg(a, 0) % kImageSize]);
      break;
    case OpWrite: {
      const int address = Arg(a, 1) % kImageSize;
      eeprom_[address] = static_cast<uint8_t>(Arg(a, 0));
      now_ += kEepromWriteUs;
      if (address >= lowestCodeByte_) cache_.clear();  // the program rewrote its own code
      break;
    }
    case OpGet:
      StoreWith(s.fields[0], scratch_[Arg(a, 0) % scratch_.size()]);
      break;
    case OpPut:
      scratch_[Arg(a, 0) % scratch_.size()] = static_cast<uint8_t>(Arg(a, 1));
      break;
    default:
      break;  // LET: the pushed write token has stored already
  }
}

void Machine::CallOrReturn(const Statement& s) {
  if (s.op == OpGosub) {
    // A fifth nested GOSUB pushes the oldest return number out, as on the module.
    if (returnDepth_ == kReturnStackSize) {
      for (int i = 1; i < kReturnStackSize; ++i) returns_[i - 1] = returns_[i];
      --returnDepth_;
    }
    returns_[returnDepth_++] = static_cast<uint8_t>(s.fields[0].value);
    Jump(s.fields[1].position);
    return;
  }
  if (returnDepth_ == 0) {
    state_ = RunState::Ended;
    return;
  }
  Jump(decoder_.ReturnTableEntry(returns_[--returnDepth_]));
}

void Machine::ExecuteNext(const Statement& s, const std::vector<uint16_t>& a) {
  const uint16_t limit = Arg(a, 0), start = Arg(a, 1);
  const std::vector<uint16_t> v = EvaluateValues(s.fields[0].tokens);
  const uint32_t counter = Arg(v, 0), step = Arg(v, 1);
  bool again;
  uint32_t value;
  if (start <= limit) {
    value = counter + step;
    again = value <= limit;  // also leaves instead of wrapping past 65535
  } else {
    again = counter >= step && counter - step >= limit;
    value = counter - step;
  }
  if (again) {
    StoreWith(s.fields[1], static_cast<uint16_t>(value));
    Jump(s.fields[2].position);
  }
}

void Machine::ExecuteLookup(const Statement& s, const std::vector<uint16_t>& a) {
  const uint16_t key = Arg(a, 0);
  const int compare = s.op == OpLookdown ? 24 + s.fields[0].value : 0;  // 3 bits: code mod 8
  int index = 0;
  bool found = false;
  uint16_t result = 0;
  for (const Field& f : s.fields) {
    if (f.kind != Field::Sub) continue;
    if (s.op == OpLookup) {
      if (index == key) {
        result = Arg(EvaluateValues(f.tokens), 0);
        found = true;
        break;
      }
    } else if (ApplyBinary(compare, key, Arg(EvaluateValues(f.tokens), 0)) != 0) {
      result = static_cast<uint16_t>(index);
      found = true;
      break;
    }
    ++index;
  }
  if (found) StoreWith(s.fields.back(), result);
}

void Machine::ExecuteShiftin(const Statement& s, const std::vector<uint16_t>& a) {
  const int dataPin = Arg(a, 1) & 15;
  for (size_t i = 0; i < s.fields.size(); ++i) {
    if (s.fields[i].kind != Field::Sub) continue;
    const int bits = std::min<int>(Arg(EvaluateValues(s.fields[i].tokens), 0), 16);
    uint16_t value = 0;
    for (int b = 0; b < bits; ++b) {
      now_ += 50;
      value = static_cast<uint16_t>((value << 1) | ((io_.Inputs(now_) >> dataPin) & 1));
    }
    StoreWith(s.fields[i + 1], value);
  }
}

void Machine::ExecutePulseTiming(const Statement& s, const std::vector<uint16_t>& a) {
  const int pin = Arg(a, 1) & 15;
  const int state = Arg(a, 0) & 1;
  RefreshInputs();
  if (s.op == OpRctime && ((Word(0) >> pin) & 1) != state) {
    StoreWith(s.fields[0], 1);
    return;
  }
  now_ += 131070;  // nothing in the world makes pulses or discharges: time-out, 0
  StoreWith(s.fields[0], 0);
}

void Machine::ExecuteButton(const Statement& s, const std::vector<uint16_t>& a) {
  const uint16_t down = Arg(a, 0), delay = Arg(a, 1) & 255, rate = Arg(a, 2) & 255, target = Arg(a, 3);
  uint16_t work = Arg(a, 4) & 255;
  const int pin = Arg(a, 5) & 15;
  WriteCell(3, 2, static_cast<uint16_t>(Word(2) & ~(1u << pin)));
  RefreshInputs();
  const bool pressed = ((Word(0) >> pin) & 1) == (down & 1);
  bool fired = false;
  if (!pressed) {
    work = 0;
  } else if (delay == 0) {
    fired = true;  // no debounce, no repeat
  } else if (work == 0) {
    fired = true;
    work = delay;
  } else if (delay != 255) {
    if (--work == 0) {
      fired = true;
      work = rate;
    }
  }
  StoreWith(s.fields[0], work);
  if (fired == ((target & 1) != 0)) Jump(s.fields[1].position);
}

// DTMFOUT, XOUT and SHIFTOUT: each item takes its time; nothing in the world listens.
void Machine::ExecuteSendTiming(const Statement& s, const std::vector<uint16_t>& a) {
  const int64_t perTone = (int64_t{Arg(a, 1)} + Arg(a, 2)) * 1000;
  for (const Field& f : s.fields) {
    if (f.kind != Field::Sub) continue;
    const std::vector<uint16_t> v = EvaluateValues(f.tokens);
    if (s.op == OpDtmfout)
      now_ += perTone;
    else
      now_ += s.op == OpXout ? 2 * 16667 : int64_t{Arg(v, 0)} * 50;
  }
}

void Machine::ExecutePins(const Statement& s, const std::vector<uint16_t>& a) {
  const int pin = Arg(a, 0) & 15;
  const uint16_t bit = static_cast<uint16_t>(1u << pin);
  uint16_t outs = Word(1), dirs = Word(2);
  switch (s.op) {
    case OpHigh:
      outs |= bit;
      dirs |= bit;
      break;
    case OpLow:
      outs &= static_cast<uint16_t>(~bit);
      dirs |= bit;
      break;
    case OpToggle:
      outs ^= bit;
      dirs |= bit;
      break;
    case OpInput:
      dirs &= static_cast<uint16_t>(~bit);
      break;
    case OpOutput:
      dirs |= bit;
      break;
    default:
      dirs ^= bit;
      break;  // REVERSE
  }
  WriteCell(3, 1, outs);
  WriteCell(3, 2, dirs);
}

void Machine::ExecuteTiming(const Statement& s, const std::vector<uint16_t>& a) {
  switch (s.op) {
    case OpPause:
      now_ += int64_t{Arg(a, 0)} * 1000;
      break;
    case OpNap:
      now_ += int64_t{18000} << (Arg(a, 0) & 7);
      break;
    case OpSleep:
      now_ += int64_t{Arg(a, 0)} * 1000000;
      break;
    case OpPulsout: {
      const int pin = Arg(a, 1) & 15;
      const int64_t width = int64_t{Arg(a, 0)} * 2;
      SetPinOutput(pin, -1);
      io_.Pulse(now_, pin, width);
      now_ += width;
      break;
    }
    case OpFreqout1:
    case OpFreqout2: {
      const int pin = Arg(a, 0) & 15;
      const int64_t duration = int64_t{Arg(a, 1)} * 1000;
      SetPinOutput(pin, 0);
      io_.Tone(now_, pin, duration, Arg(a, 2), s.op == OpFreqout2 ? Arg(a, 3) : 0);
      now_ += duration;
      break;
    }
    case OpDtmfout:
    case OpXout:
    case OpShiftout:
      ExecuteSendTiming(s, a);
      break;
    case OpShiftin:
      ExecuteShiftin(s, a);
      break;
    case OpPulsin:
    case OpRctime:
      ExecutePulseTiming(s, a);
      break;
    case OpCount:
      now_ += int64_t{Arg(a, 0)} * 1000;
      StoreWith(s.fields[0], 0);
      break;
    case OpPwm: {
      const int pin = Arg(a, 2) & 15;
      now_ += int64_t{Arg(a, 1)} * 1000;
      WriteCell(3, 2, static_cast<uint16_t>(Word(2) & ~(1u << pin)));  // PWM leaves its pin an input
      break;
    }
    case OpButton:
      ExecuteButton(s, a);
      break;
    default:
      break;  // module features the VD2 has nothing attached to (polling, LCD command, RUN)
  }
}

}  // namespace sim::vm
