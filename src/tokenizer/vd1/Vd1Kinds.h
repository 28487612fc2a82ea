#pragma once
// The VD1 compiler's vocabulary: element kinds, instruction codes and error numbers. The kind
// byte is shared by keyword entries, user symbols and scanned elements.

#include <cstdint>
#include <string_view>

namespace tok::vd1 {

enum Kind : uint8_t {
  KConstant = 0,  // numbers, quoted characters, baud modes
  KVariable = 1,  // value = 6-bit variable code
  KLabel = 2,     // value = code bit position
  KUndefined = 3,
  KInstruction = 4,  // value = 5-bit instruction code
  KRem = 5,
  KSymbol = 6,
  KEeprom = 7,
  KBsave = 8,
  KMin = 9,
  KMax = 10,
  KAnd = 11,
  KOr = 12,
  KThen = 13,
  KTo = 14,
  KStep = 15,
  KDebugWord = 16,     // CLS 1, CR 2
  KNumberPrefix = 17,  // '$', '%' or '@' not followed by a digit of its base
  KNotEqual = 18,      // <> ><
  KLessEqual = 19,     // <= =<
  KGreaterEqual = 20,  // => >=
  KEqualMinus = 21,    // =-
  KStarStar = 22,
  KSlashSlash = 23,
  KAndNot = 24,  // &/
  KOrNot = 25,   // |/
  KXorNot = 26,  // ^/
  KEqual = 27,
  KPlus = 28,
  KMinus = 29,
  KStar = 30,
  KSlash = 31,
  KLess = 32,
  KGreater = 33,
  KAmpersand = 34,
  KBar = 35,
  KCaret = 36,
  KHash = 37,
  KOpenParen = 38,
  KCloseParen = 39,
  KComma = 40,
  KColon = 41,
  KEndOfLine = 42,
};

// clang-format off
enum InstructionCode : uint8_t {
  IHigh = 0, ILow, IInput, IOutput, IToggle, IReverse, IPwm, IPot, IPulsout, IPulsin,
  IFor, IRead, IWrite, ILookdown, IGosub, IPause, IRandom, IButton, ISound, ISerout,
  ISerin, ILet, ILookup, INext, IIf, IGoto, IBranch, IReturn, INap, ISleep, IDebug, IEnd,
};
// clang-format on

// The compiler's errors, by the number the user sees.
enum class Error : uint16_t {
  UnrecognizedCharacter = 103,
  SymbolTooLong = 106,
  UndefinedSymbol = 110,
  ExpectedConstant = 112,
  ExpectedOpenParen = 119,
  SymbolAlreadyDefined = 123,
  DataOverlapsProgram = 124,
  EepromFull = 127,
  SymbolTableFull = 128,
  ExpectedColonOrEnd = 129,
  ExpectedCommaOrEnd = 130,
  NextWithoutFor = 132,
  ExpectedComma = 133,
  ExpectedVariable = 135,
  ExpectedLabel = 148,
  ExpectedStatement = 149,
  ExpectedEquals = 150,
  ExpectedTo = 152,
  LabelMissingColon = 174,
  IncorrectNextVariable = 233,
  ExpectedConstantOrVariable = 234,
  ExpectedSerinItem = 235,
  DebugBufferFull = 236,
  GosubLimit = 237,
  ExpectedAndOrThen = 238,
  ExpectedCommaOrCloseParen = 239,
  IllegalTextCharacter = 240,
  SymbolNameInvalid = 241,
  ForNestingLimit = 242,
  ExpectedDebugItem = 243,
  ExpectedOperatorOrEnd = 244,
  ExpectedOperator = 245,
};

constexpr int ErrorCount = 32;

// The full message: number, hyphen and text.
std::string_view ErrorText(Error error);

// Thrown inside the compiler on the first error; Compile catches it.
struct Failure {
  Error error;
};

}  // namespace tok::vd1
