#pragma once
// The VD2 family's object code as the module reads it: a bit stream from bit 7 of EEPROM
// byte 2047 downward. A 1 bit is followed by a 6-bit expression token, a 0 bit by the six low
// bits of an instruction code; each instruction then carries its own fields.
//
//   statement = (1 token payload)* 0 code6 fields...
//
// The decoder turns one statement (the values it pushes, its code and its fields) into a
// Statement record; the interpreter executes those records and the disassembler prints them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sim::vm {

inline constexpr int kImageSize = 2048;
inline constexpr int kCodeBitLimit = kImageSize * 8;
inline constexpr int kAddressFieldBits = 14;
inline constexpr uint16_t kLabelConstantBase = 16384;  // a label passed as a stack value

using Image = std::array<uint8_t, kImageSize>;

// Operations as the module numbers them (the VD2's codes; other family members renumber 26..31).
enum Op : uint8_t {
  OpEnd = 0, OpSleep, OpNap, OpStop, OpOutput, OpHigh, OpToggle, OpLow, OpReverse, OpGoto,
  OpGosub, OpReturn, OpInput, OpIf, OpNext, OpBranch, OpLookup, OpLookdown, OpRandom, OpRead,
  OpWrite, OpPause, OpFreqout1, OpFreqout2, OpDtmfout, OpXout, OpLet, OpGet, OpPut, OpRun,
  OpMainio, OpAuxio, OpSerout, OpSeroutFlow, OpSerin, OpSerinFlow, OpPulsout, OpPulsin, OpCount,
  OpShiftin, OpShiftout, OpRctime, OpButton, OpPwm, OpLcdin, OpLcdout, OpLcdcmd, OpI2cinLow,
  OpI2cin, OpI2coutLow, OpI2cout, OpPollrun, OpPollmode, OpPollin, OpPollout, OpPollwait, OpOwout,
  OpOwin, OpIoterm, OpStore, OpCount_
};

const char* OpName(int op);

// Module types as numbered everywhere in the system (2 VD2 ... 6 VD2PE).
// Returns the operation of a 6-bit code on that module, or -1 for a code it does not have.
int OperationOfCode(int code, int module);
int CodeOfOperation(int op, int module);

// One expression token with its payload.
struct Token {
  uint8_t code = 0;     // 0..63
  uint16_t value = 0;   // constants: the value; variables: the cell address
  bool longForm = false;  // constants: payload bit 1 (0, or 2^c plus c more bits)
  bool operator==(const Token&) const = default;
};

inline bool IsUnary(int code) { return code < 8; }
inline bool IsBinary(int code) { return code >= 8 && code < 32; }
inline bool IsConstant(int code) { return code >= 32 && code < 48; }
inline bool IsVariable(int code) { return code >= 48; }
inline int VariableSize(int code) { return (code - 48) & 3; }  // 0 bit, 1 nib, 2 byte, 3 word
inline bool VariableIndexed(int code) { return ((code - 48) & 4) != 0; }
inline bool VariableWrite(int code) { return ((code - 48) & 8) != 0; }
inline constexpr int kVariableAddressBits[4] = {8, 6, 5, 4};

// The code position that a label constant (16384 + address field) or an address field names.
int PositionOfField(uint16_t field);
uint16_t FieldOfPosition(int position);
inline bool IsLabelConstant(uint16_t value) { return value >= kLabelConstantBase; }
inline int LabelPosition(uint16_t value) { return PositionOfField(static_cast<uint16_t>(value - kLabelConstantBase)); }

// A field after the instruction code.
struct Field {
  enum Kind : uint8_t {
    Sub,       // tokens, the first without a lead bit, later ones behind 1 bits; ends with a 0 bit
    Store,     // a Sub that ends in a write token: stores the value below it
    Pushes,    // tokens each behind a 1 bit (possibly none), then a 0 bit (input items)
    Address,   // 14-bit address field
    Number,    // `bits` bits (GOSUB number 8, LOOKDOWN comparison 3)
    Separator  // one bit: 1 more items follow, 0 the list ends
  };
  Kind kind = Sub;
  std::vector<Token> tokens;
  int position = 0;  // Address: the code position it names
  int bits = 0;      // Number
  uint16_t value = 0;  // Number and Separator
  int at = 0;        // bit address of the field
  bool operator==(const Field&) const = default;
};

struct Statement {
  int at = 0;              // bit address of the first pushed token (or of the code)
  int codeAt = 0;          // bit address of the 0 bit before the code
  int end = 0;             // bit address after the last field
  std::vector<Token> pushes;  // values pushed before the code, in order
  uint8_t code = 0;        // the 6-bit code as written
  int op = -1;             // the operation (OpEnd ...), -1 when unknown
  std::vector<Field> fields;
};

struct DecodeResult {
  bool ok = false;
  std::string error;  // what could not be decoded, with its bit address
  Statement statement;
};

// Reads the bit stream of an image.
class BitReader {
 public:
  explicit BitReader(const Image& image, int position = 0) : image_(&image), position_(position) {}
  int position() const { return position_; }
  void Seek(int position) { position_ = position; }
  bool overrun() const { return overrun_; }
  int Bit();
  uint16_t Bits(int count);  // most significant first
  Token ReadToken(int code);  // payload of a token whose 6-bit code was read
  int Address();              // a 14-bit address field as a code position

 private:
  const Image* image_;
  int position_;
  bool overrun_ = false;
};

// Values that a token sequence leaves on the stack, each as the range [first, last] of its
// tokens; used to tell item forms apart. Returns false when the tokens pop more than they push.
struct ValueRange {
  int first = 0, last = 0;
};
bool SplitValues(const std::vector<Token>& tokens, std::vector<ValueRange>& values);
// The value of a range that is one constant token, else -1.
int ConstantOf(const std::vector<Token>& tokens, const ValueRange& range);

// How an input item goes on after its pushed values: true when a store follows (a plain
// byte or a number), false for strings, skips and waits.
bool InputItemStores(const std::vector<Token>& pushes);

class Decoder {
 public:
  explicit Decoder(const Image& image, int module = 2) : image_(image), module_(module) {}

  // The statement that starts at bit address `at`.
  DecodeResult DecodeAt(int at) const;
  // Field k of the ReturnTable (0: the first statement; k: return address of GOSUB k).
  int ReturnTableEntry(int k) const;
  int module() const { return module_; }
  const Image& image() const { return image_; }

  // Every statement from the first one up to `codeEnd` (the compiler's end of code); with
  // codeEnd < 0 the end is found by following every jump from the start and the return table.
  struct Listing {
    bool ok = false;
    std::string error;
    int gosubCount = 0;
    int codeStart = 0, codeEnd = 0;
    std::vector<Statement> statements;
  };
  Listing DecodeAll(int codeEnd = -1) const;

 private:
  const Image& image_;
  int module_;
};

// Writes statements back into bits (the exact inverse of the decoder), for checks.
class Encoder {
 public:
  void Bits(int count, uint32_t value);
  void TokenBits(const Token& token);
  void Address(int position);
  void Write(const Statement& statement, int module);
  const std::vector<uint8_t>& bits() const { return bits_; }  // one entry per bit, 0 or 1

 private:
  std::vector<uint8_t> bits_;
};

// Disassembly: one line per statement, "  bit  OPERATION operands".
std::string TokenText(const Token& token);
std::string ExpressionText(const std::vector<Token>& tokens);  // values separated by ", "
std::string StatementText(const Statement& statement);

}  // namespace sim::vm
