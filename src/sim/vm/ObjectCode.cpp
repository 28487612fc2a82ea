#include "sim/vm/ObjectCode.h"

namespace sim::vm {

namespace {

constexpr const char* kOpNames[OpCount_] = {
    "END",     "SLEEP",    "NAP",     "STOP",    "OUTPUT",   "HIGH",     "TOGGLE",   "LOW",      "REVERSE",
    "GOTO",    "GOSUB",    "RETURN",  "INPUT",   "IF",       "NEXT",     "BRANCH",   "LOOKUP",   "LOOKDOWN",
    "RANDOM",  "READ",     "WRITE",   "PAUSE",   "FREQOUT",  "FREQOUT2", "DTMFOUT",  "XOUT",     "LET",
    "GET",     "PUT",      "RUN",     "MAINIO",  "AUXIO",    "SEROUT",   "SEROUT\\", "SERIN",    "SERIN\\",
    "PULSOUT", "PULSIN",   "COUNT",   "SHIFTIN", "SHIFTOUT", "RCTIME",   "BUTTON",   "PWM",      "LCDIN",
    "LCDOUT",  "LCDCMD",   "I2CIN\\", "I2CIN",   "I2COUT\\", "I2COUT",   "POLLRUN",  "POLLMODE", "POLLIN",
    "POLLOUT", "POLLWAIT", "OWOUT",   "OWIN",    "IOTERM",   "STORE"};

// Codes of operations 26..31 per module (VD2, VD2E, VD2SX, VD2P, VD2PE); all others are equal.
constexpr uint8_t kRenumbered[6][5] = {
    {26, 29, 29, 31, 31},  // LET
    {27, 26, 26, 26, 26},  // GET
    {28, 27, 27, 27, 27},  // PUT
    {29, 28, 28, 28, 28},  // RUN
    {30, 30, 30, 29, 29},  // MAINIO
    {31, 31, 31, 30, 30},  // AUXIO
};

int ModuleColumn(int module) {
  return (module >= 2 && module <= 6) ? module - 2 : 0;
}

// How the fields after each operation's code are laid out.
enum class Layout {
  None,
  Next,
  Address,
  Gosub,
  Next14,
  Branch,
  Lookup,
  Lookdown,
  StoreOnly,
  ReadLayout,
  ListOfSubs,
  OutputList,
  InputList,
  Shiftin,
  Button
};

Layout LayoutOf(int op) {
  switch (op) {
    case OpSleep:
    case OpNap:
    case OpPollwait:
    case OpWrite:
      return Layout::Next;
    case OpGoto:
    case OpIf:
      return Layout::Address;
    case OpGosub:
      return Layout::Gosub;
    case OpNext:
      return Layout::Next14;
    case OpBranch:
      return Layout::Branch;
    case OpLookup:
      return Layout::Lookup;
    case OpLookdown:
      return Layout::Lookdown;
    case OpRandom:
    case OpGet:
    case OpPulsin:
    case OpCount:
    case OpRctime:
      return Layout::StoreOnly;
    case OpRead:
      return Layout::ReadLayout;
    case OpDtmfout:
    case OpXout:
    case OpShiftout:
      return Layout::ListOfSubs;
    case OpSerout:
    case OpSeroutFlow:
    case OpLcdout:
    case OpI2coutLow:
    case OpI2cout:
    case OpOwout:
      return Layout::OutputList;
    case OpSerin:
    case OpSerinFlow:
    case OpLcdin:
    case OpI2cinLow:
    case OpI2cin:
    case OpOwin:
      return Layout::InputList;
    case OpShiftin:
      return Layout::Shiftin;
    case OpButton:
      return Layout::Button;
    default:
      return Layout::None;
  }
}

}  // namespace

const char* OpName(int op) {
  return (op >= 0 && op < OpCount_) ? kOpNames[op] : "?";
}

int OperationOfCode(int code, int module) {
  if (code < 0 || code >= 64) return -1;
  if (code >= 26 && code <= 31) {
    for (int row = 0; row < 6; ++row)
      if (kRenumbered[row][ModuleColumn(module)] == code) return 26 + row;
  }
  return code < OpCount_ ? code : -1;
}

int CodeOfOperation(int op, int module) {
  if (op >= 26 && op <= 31) return kRenumbered[op - 26][ModuleColumn(module)];
  return op;
}

int PositionOfField(uint16_t field) {
  return (field & 0x7FF) * 8 + ((field >> 11) & 7);
}
uint16_t FieldOfPosition(int position) {
  return static_cast<uint16_t>(((position % 8) << 11) | ((position / 8) & 0x7FF));
}

int BitReader::Bit() {
  if (position_ < 0 || position_ >= kCodeBitLimit) {
    overrun_ = true;
    ++position_;
    return 0;
  }
  const uint8_t byte = (*image_)[kImageSize - 1 - position_ / 8];
  const int bit = (byte >> (7 - position_ % 8)) & 1;
  ++position_;
  return bit;
}

uint16_t BitReader::Bits(int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 1) | static_cast<uint32_t>(Bit());
  return static_cast<uint16_t>(value);
}

Token BitReader::ReadToken(int code) {
  Token token;
  token.code = static_cast<uint8_t>(code);
  if (IsConstant(code)) {
    const int c = code - 32;
    token.longForm = Bit() == 1;
    if (!token.longForm)
      token.value = static_cast<uint16_t>(1u << c);
    else if (c == 0)
      token.value = 0;
    else
      token.value = static_cast<uint16_t>((1u << c) + Bits(c));
  } else if (IsVariable(code)) {
    token.value = Bits(kVariableAddressBits[VariableSize(code)]);
  }
  return token;
}

int BitReader::Address() {
  return PositionOfField(Bits(kAddressFieldBits));
}

bool SplitValues(const std::vector<Token>& tokens, std::vector<ValueRange>& values) {
  values.clear();
  for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
    const int code = tokens[i].code;
    if (IsConstant(code) || (IsVariable(code) && !VariableIndexed(code) && !VariableWrite(code))) {
      values.push_back({i, i});
    } else if (IsUnary(code) || (IsVariable(code) && VariableIndexed(code) && !VariableWrite(code))) {
      if (values.empty()) return false;
      values.back().last = i;
    } else if (IsBinary(code)) {
      if (values.size() < 2) return false;
      values[values.size() - 2].last = i;
      values.pop_back();
    } else {  // a write token inside pushed values: pops what it stores
      const size_t pops = VariableIndexed(code) ? 2 : 1;
      if (values.size() < pops) return false;
      values.resize(values.size() - pops);
    }
  }
  return true;
}

int ConstantOf(const std::vector<Token>& tokens, const ValueRange& range) {
  if (range.first != range.last || !IsConstant(tokens[range.first].code)) return -1;
  return tokens[range.first].value;
}

bool InputItemStores(const std::vector<Token>& pushes) {
  std::vector<ValueRange> values;
  if (!SplitValues(pushes, values)) return false;
  if (values.empty()) return true;  // a plain byte into a variable
  if (values.size() != 2) return false;
  const int marker = ConstantOf(pushes, values[0]);
  if (marker < 0 || marker == 4096 || marker == 1024 || marker == 3140) return false;
  return (marker & 256) != 0;  // a number format: the number is stored
}

namespace {

struct FieldReader {
  BitReader& in;
  Statement& s;
  std::string error;

  Field& Add(Field::Kind kind) {
    s.fields.push_back(Field{});
    s.fields.back().kind = kind;
    s.fields.back().at = in.position();
    return s.fields.back();
  }
  // A bare expression: the first token without a lead bit, then tokens behind 1 bits, then 0.
  void Sub(Field::Kind kind = Field::Sub) {
    Field& f = Add(kind);
    do {
      const int code = in.Bits(6);
      f.tokens.push_back(in.ReadToken(code));
      if (f.tokens.size() > 512 || in.overrun()) return;
    } while (in.Bit() == 1);
  }
  void Pushes() {
    Field& f = Add(Field::Pushes);
    while (in.Bit() == 1) {
      const int code = in.Bits(6);
      f.tokens.push_back(in.ReadToken(code));
      if (f.tokens.size() > 512 || in.overrun()) return;
    }
  }
  void Address() {
    Field& f = Add(Field::Address);
    f.position = in.Address();
  }
  void Number(int bits) {
    Field& f = Add(Field::Number);
    f.bits = bits;
    f.value = in.Bits(bits);
  }
  bool Separator() {
    Field& f = Add(Field::Separator);
    f.value = static_cast<uint16_t>(in.Bit());
    return f.value == 1 && !in.overrun() && s.fields.size() < 4096;
  }
};

// The fields after the instruction code, in the layout of its operation.
void ReadFields(FieldReader& r, Statement& s) {
  switch (LayoutOf(s.op)) {
    case Layout::None:
      break;
    case Layout::Next:
    case Layout::Address:
      r.Address();
      break;
    case Layout::Gosub:
      r.Number(8);
      r.Address();
      break;
    case Layout::Next14:
      r.Sub();
      r.Sub(Field::Store);
      r.Address();
      break;
    case Layout::Branch:
      do r.Address();
      while (r.Separator());
      break;
    case Layout::Lookup:
    case Layout::Lookdown:
      if (s.op == OpLookdown) r.Number(3);
      do r.Sub();
      while (r.Separator());
      r.Sub(Field::Store);
      break;
    case Layout::StoreOnly:
      r.Sub(Field::Store);
      break;
    case Layout::ReadLayout:
      r.Address();
      r.Sub(Field::Store);
      break;
    case Layout::ListOfSubs:
    case Layout::OutputList:
      do r.Sub();
      while (r.Separator());
      break;
    case Layout::InputList:
      do {
        r.Pushes();
        if (InputItemStores(s.fields.back().tokens)) r.Sub(Field::Store);
      } while (r.Separator());
      break;
    case Layout::Shiftin:
      do {
        r.Sub();
        r.Sub(Field::Store);
      } while (r.Separator());
      break;
    case Layout::Button:
      r.Sub(Field::Store);
      r.Address();
      break;
  }
}

}  // namespace

DecodeResult Decoder::DecodeAt(int at) const {
  DecodeResult result;
  Statement& s = result.statement;
  s.at = at;
  BitReader in(image_, at);
  while (in.Bit() == 1) {
    const int code = in.Bits(6);
    s.pushes.push_back(in.ReadToken(code));
    if (in.overrun() || s.pushes.size() > 512) {
      result.error = "bit " + std::to_string(at) + ": expression runs past the end of the EEPROM";
      return result;
    }
  }
  s.codeAt = in.position() - 1;
  s.code = static_cast<uint8_t>(in.Bits(6));
  s.op = OperationOfCode(s.code, module_);
  if (s.op < 0) {
    result.error = "bit " + std::to_string(s.codeAt) + ": unknown instruction code " + std::to_string(s.code);
    return result;
  }
  FieldReader r{in, s, {}};
  ReadFields(r, s);
  s.end = in.position();
  if (in.overrun()) {
    result.error = "bit " + std::to_string(at) + ": " + OpName(s.op) + " runs past the end of the EEPROM";
    return result;
  }
  for (const Field& f : s.fields)
    if (f.kind == Field::Store &&
        (f.tokens.empty() || !IsVariable(f.tokens.back().code) || !VariableWrite(f.tokens.back().code))) {
      result.error = "bit " + std::to_string(f.at) + ": " + OpName(s.op) + " stores into no variable";
      return result;
    }
  result.ok = true;
  return result;
}

int Decoder::ReturnTableEntry(int k) const {
  BitReader in(image_, k * kAddressFieldBits);
  return in.Address();
}

Decoder::Listing Decoder::DecodeAll(int codeEnd) const {
  Listing listing;
  listing.codeStart = ReturnTableEntry(0);
  if (listing.codeStart % kAddressFieldBits != 0 || listing.codeStart == 0) {
    listing.error =
        "return table field 0 names bit " + std::to_string(listing.codeStart) + ", which is no start of code";
    return listing;
  }
  listing.gosubCount = listing.codeStart / kAddressFieldBits - 1;
  if (codeEnd < 0) {
    // Follow every path from the start and from each return address; the furthest bit read
    // is the end of the code.
    std::vector<int> work{listing.codeStart};
    for (int k = 1; k <= listing.gosubCount; ++k) work.push_back(ReturnTableEntry(k));
    std::vector<bool> seen(kCodeBitLimit, false);
    codeEnd = listing.codeStart;
    while (!work.empty()) {
      const int at = work.back();
      work.pop_back();
      if (at < listing.codeStart || at >= kCodeBitLimit || seen[at]) continue;
      seen[at] = true;
      const DecodeResult r = DecodeAt(at);
      if (!r.ok) continue;
      const Statement& s = r.statement;
      codeEnd = std::max(codeEnd, s.end);
      // The "next" fields of NAP, SLEEP, POLLWAIT, READ and WRITE name the bit behind themselves,
      // where the module goes on after waking or after the EEPROM access; they start no statement.
      const bool nextField =
          s.op == OpNap || s.op == OpSleep || s.op == OpPollwait || s.op == OpRead || s.op == OpWrite;
      for (const Field& f : s.fields)
        if (f.kind == Field::Address && !nextField) work.push_back(f.position);
      for (const Token& t : s.pushes)
        if (t.code == 46 && t.longForm) work.push_back(LabelPosition(t.value));  // a label as a value
      if (s.op != OpEnd && s.op != OpStop && s.op != OpGoto && s.op != OpReturn) work.push_back(s.end);
    }
  }
  listing.codeEnd = codeEnd;
  int at = listing.codeStart;
  while (at < codeEnd) {
    DecodeResult r = DecodeAt(at);
    if (!r.ok) {
      listing.error = r.error;
      return listing;
    }
    at = r.statement.end;
    listing.statements.push_back(std::move(r.statement));
  }
  if (at != codeEnd) {
    listing.error = "the last statement ends at bit " + std::to_string(at) +
                    ", after the end of code at bit " + std::to_string(codeEnd);
    return listing;
  }
  listing.ok = true;
  return listing;
}

}  // namespace sim::vm
