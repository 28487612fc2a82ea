#include "tokenizer/vd1/Vd1Keywords.h"

#include <iterator>
#include <unordered_map>

namespace tok::vd1 {

namespace {

// clang-format off
constexpr Keyword kKeywords[] = {
    // Baud modes.
    {"T2400", KConstant, 0}, {"T1200", KConstant, 1}, {"T600", KConstant, 2}, {"T300", KConstant, 3},
    {"N2400", KConstant, 4}, {"N1200", KConstant, 5}, {"N600", KConstant, 6}, {"N300", KConstant, 7},
    {"OT2400", KConstant, 8}, {"OT1200", KConstant, 9}, {"OT600", KConstant, 10}, {"OT300", KConstant, 11},
    {"ON2400", KConstant, 12}, {"ON1200", KConstant, 13}, {"ON600", KConstant, 14}, {"ON300", KConstant, 15},
    // Variables by their 6-bit code.
    {"PIN0", KVariable, 0}, {"PIN1", KVariable, 1}, {"PIN2", KVariable, 2}, {"PIN3", KVariable, 3},
    {"PIN4", KVariable, 4}, {"PIN5", KVariable, 5}, {"PIN6", KVariable, 6}, {"PIN7", KVariable, 7},
    {"DIR0", KVariable, 8}, {"DIR1", KVariable, 9}, {"DIR2", KVariable, 10}, {"DIR3", KVariable, 11},
    {"DIR4", KVariable, 12}, {"DIR5", KVariable, 13}, {"DIR6", KVariable, 14}, {"DIR7", KVariable, 15},
    {"BIT0", KVariable, 16}, {"BIT1", KVariable, 17}, {"BIT2", KVariable, 18}, {"BIT3", KVariable, 19},
    {"BIT4", KVariable, 20}, {"BIT5", KVariable, 21}, {"BIT6", KVariable, 22}, {"BIT7", KVariable, 23},
    {"BIT8", KVariable, 24}, {"BIT9", KVariable, 25}, {"BIT10", KVariable, 26}, {"BIT11", KVariable, 27},
    {"BIT12", KVariable, 28}, {"BIT13", KVariable, 29}, {"BIT14", KVariable, 30}, {"BIT15", KVariable, 31},
    {"PINS", KVariable, 32}, {"DIRS", KVariable, 33},
    {"B0", KVariable, 34}, {"B1", KVariable, 35}, {"B2", KVariable, 36}, {"B3", KVariable, 37},
    {"B4", KVariable, 38}, {"B5", KVariable, 39}, {"B6", KVariable, 40}, {"B7", KVariable, 41},
    {"B8", KVariable, 42}, {"B9", KVariable, 43}, {"B10", KVariable, 44}, {"B11", KVariable, 45},
    {"B12", KVariable, 46}, {"B13", KVariable, 47},
    {"PORT", KVariable, 48},
    {"W0", KVariable, 50}, {"W1", KVariable, 52}, {"W2", KVariable, 54}, {"W3", KVariable, 56},
    {"W4", KVariable, 58}, {"W5", KVariable, 60}, {"W6", KVariable, 62},
    // Instructions by their 5-bit code.
    {"HIGH", KInstruction, IHigh}, {"LOW", KInstruction, ILow}, {"INPUT", KInstruction, IInput},
    {"OUTPUT", KInstruction, IOutput}, {"TOGGLE", KInstruction, IToggle},
    {"REVERSE", KInstruction, IReverse}, {"PWM", KInstruction, IPwm}, {"POT", KInstruction, IPot},
    {"PULSOUT", KInstruction, IPulsout}, {"PULSIN", KInstruction, IPulsin}, {"FOR", KInstruction, IFor},
    {"READ", KInstruction, IRead}, {"WRITE", KInstruction, IWrite},
    {"LOOKDOWN", KInstruction, ILookdown}, {"GOSUB", KInstruction, IGosub},
    {"PAUSE", KInstruction, IPause}, {"RANDOM", KInstruction, IRandom},
    {"BUTTON", KInstruction, IButton}, {"SOUND", KInstruction, ISound},
    {"SEROUT", KInstruction, ISerout}, {"SERIN", KInstruction, ISerin}, {"LET", KInstruction, ILet},
    {"LOOKUP", KInstruction, ILookup}, {"NEXT", KInstruction, INext}, {"IF", KInstruction, IIf},
    {"GOTO", KInstruction, IGoto}, {"BRANCH", KInstruction, IBranch},
    {"RETURN", KInstruction, IReturn}, {"NAP", KInstruction, INap}, {"SLEEP", KInstruction, ISleep},
    {"DEBUG", KInstruction, IDebug}, {"END", KInstruction, IEnd},
    // Statement words and clause words.
    {"REM", KRem, 0}, {"SYMBOL", KSymbol, 0}, {"EEPROM", KEeprom, 0}, {"BSAVE", KBsave, 0},
    {"MIN", KMin, 0}, {"MAX", KMax, 0}, {"AND", KAnd, 0}, {"OR", KOr, 0}, {"THEN", KThen, 0},
    {"TO", KTo, 0}, {"STEP", KStep, 0},
    // Operators and punctuation.
    {"<>", KNotEqual, 0}, {"><", KNotEqual, 0}, {"<=", KLessEqual, 0}, {"=<", KLessEqual, 0},
    {"=>", KGreaterEqual, 0}, {">=", KGreaterEqual, 0}, {"=-", KEqualMinus, 0},
    {"**", KStarStar, 0}, {"//", KSlashSlash, 0}, {"&/", KAndNot, 0}, {"|/", KOrNot, 0},
    {"^/", KXorNot, 0}, {"=", KEqual, 0}, {"+", KPlus, 0}, {"-", KMinus, 0}, {"*", KStar, 0},
    {"/", KSlash, 0}, {"<", KLess, 0}, {">", KGreater, 0}, {"&", KAmpersand, 0}, {"|", KBar, 0},
    {"^", KCaret, 0}, {"#", KHash, 0}, {"(", KOpenParen, 0}, {")", KCloseParen, 0},
    {",", KComma, 0}, {":", KColon, 0},
    // DEBUG words and number prefixes (the value is the base; '@' names decimal explicitly).
    {"CLS", KDebugWord, 1}, {"CR", KDebugWord, 2},
    {"$", KNumberPrefix, 16}, {"%", KNumberPrefix, 2}, {"@", KNumberPrefix, 10},
};
// clang-format on
static_assert(std::size(kKeywords) == KeywordCount);

}  // namespace

std::optional<Keyword> FindKeyword(std::string_view name) {
  static const std::unordered_map<std::string_view, const Keyword*> index = [] {
    std::unordered_map<std::string_view, const Keyword*> map;
    for (const Keyword& keyword : kKeywords) map.emplace(keyword.name, &keyword);
    return map;
  }();
  const auto found = index.find(name);
  if (found == index.end()) return std::nullopt;
  return *found->second;
}

const Keyword* KeywordTable() {
  return kKeywords;
}

}  // namespace tok::vd1
