#pragma once
// The Tessic tokenizer: one object owns the result record and the work areas of a compilation,
// each kept by its owner (the element scanner, the symbol tables, the code writer, the stack of
// open structures and the one of open #IF/#SELECT blocks). Tokenize() runs the passes in their
// fixed order; the building blocks below are public because the later passes (declarations,
// statements, packets, the VD1 compiler; see Passes.h) call them.
//
// Every failure raises ETokenizeError through RaiseTokenizeError; Tokenize catches it, so
// callers only see TokenizeResult.Success.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "tokenizer/BitLayout.h"
#include "tokenizer/CodeWriter.h"
#include "tokenizer/ConditionalStack.h"
#include "tokenizer/ControlStack.h"
#include "tokenizer/ElementScanner.h"
#include "tokenizer/Elements.h"
#include "tokenizer/ErrorTable.h"
#include "tokenizer/SymbolTables.h"
#include "tokenizer/TokenizeResult.h"

namespace tok {

// Carries no message: the text and position stay in TokenizeResult.
class ETokenizeError : public std::exception {
 public:
  const char* what() const noexcept override { return "ETokenizeError"; }
};

// An expression buffer: ExprBuffer is buffer 0, the ExprSlots are buffers 1..3.
struct ExprBits {
  uint16_t BitCount = 0;
  uint16_t Words[layout::ExprWords] = {};
};

// A constant expression of a declaration: its value, and whether every name in it was known.
struct ConstantValue {
  bool Known = true;
  uint16_t Value = 0;
};

struct ExpressionOptions {
  bool AllowConditions = false;  // comparisons, AND/OR/XOR and NOT
  bool PinsAsConstants = false;  // a pin name is its number, not its input bit
  bool Conditional = false;      // #IF/#SELECT: only what the compile-time evaluator knows
  int CaseValueAt = 0;           // element index of the CASE value spliced after the selector; 0 none
  uint8_t CaseCompare = layout::CompareEqual;  // the comparison spliced before the CASE value
};

struct Vd1WorkRecord;  // the VD1 tokenizer's own work record (tokenizer/vd1)
struct Vd1WorkDeleter {
  void operator()(Vd1WorkRecord* record) const;
};

class Tokenizer {
 public:
  Tokenizer();
  ~Tokenizer();
  Tokenizer(const Tokenizer&) = delete;
  Tokenizer& operator=(const Tokenizer&) = delete;

  // Puts `text` into Source and SourceSize (the caller's job before Tokenize). Returns false,
  // storing nothing, when the text would not leave room in Source.
  bool SetSource(std::string_view text);
  static constexpr int SourceSizeLimit = SourceCapacity - 1;  // room for the end marker at SourceSize

  bool Tokenize(bool directivesOnly, bool readTargetDirective, bool anyLanguageVersion);

  // ---- errors -------------------------------------------------------------------------------
  [[noreturn]] void RaiseTokenizeError(int index);
  [[noreturn]] void RaiseScanError(int extra, int index);
  [[noreturn]] void RaiseErrorText(std::string_view text);  // stores any text like a table row

  // ---- scanner ------------------------------------------------------------------------------
  void ScanSource(bool Full);
  bool NextElement(Element& element);
  bool PeekElement(Element& element);
  void DeleteElements(int first, int last);
  void DeleteStatement(int first, int last);
  ShortName ElementName(const Element& element) const;  // the element's text, upper case, cut to 32

  // ---- symbol tables ------------------------------------------------------------------------
  void ClearSymbolTables();
  void LoadDirectiveSymbols();
  void LoadKeywordSymbols();
  bool LookupName(std::string_view name);
  void AddSymbol(const Symbol& record);
  bool SetSymbolValue(std::string_view name, int16_t value);
  int FindSymbol(std::string_view name) const;
  int FindDeclaredName(std::string_view name) const;
  void AddDeclaredName(std::string_view name);

  // ---- directives and conditional compilation ----------------------------------------------
  // Without `readTarget` the caller chose the module and the first $VARDA is removed unread.
  void ReadTargetModuleDirective(bool readTarget);
  void ReadPortDirective();
  void ReadLanguageDirective(bool anyLanguageVersion);
  void SetDirectiveSymbolValues();
  void ConditionalCompile();
  int PortNumber() const;  // the number after "COM", -1 without a $PORT directive

  // ---- expressions and object code ----------------------------------------------------------
  // Each Start* empties ExprBuffer and the operator stack, then compiles one expression.
  void StartExpression(bool AllowConditions, bool PinsAsConstants);
  // "selector <compare> value", the value at element valueAt.
  void StartCaseTest(int valueAt, uint8_t compare);
  void StartCondition();                                     // a #IF condition, evaluated at compile time
  void StartCaseCondition(int valueAt, uint8_t compare);     // a #CASE test, like StartCaseTest
  void CompileExpression(const ExpressionOptions& options);  // inside an expression being compiled
  void CompileTargetVariable(bool Write);
  void EmitToken(int code);
  void EmitConstant(uint16_t value);
  void EmitVariable(Element& element, bool Write);
  void ExprWriteBits(int count, uint16_t value);
  void CopyExprBuffer(int from, int to);
  void AppendExprBuffer(int from, int code);
  void CopyExprToCode(int buffer, bool Lead);
  uint16_t EvaluateExpr();
  ConstantValue ConstValue(bool MustBeKnown, bool Conditional);
  void ApplyModifiers(Element& element);
  void WriteBits(int count, uint16_t value);
  void ClearExprBuffer(int buffer) { ExprBuffers[buffer].BitCount = 0; }
  ExprBits& ExprBuffer() { return ExprBuffers[0]; }
  ExprBits& ExprSlot(int n) { return ExprBuffers[n]; }  // n = 1..3

  // ---- the program-wide records -------------------------------------------------------------
  ResultRecord TokenizeResult;

  // 1 when the $TESSIC directive chose 2.5: the scanner, keywords and structures follow it.
  uint8_t LanguageIs25 = 0;

  ElementScanner Scan;            // the element list and the positions in it and in Source
  SymbolTables Names;             // the symbol table and DeclaredNames
  LookupResult LastLookup;        // what the lookup of the last name scanned or read found
  CodeWriter Code;                // code position, DATA sources, label fixups, GOSUB numbers
  ControlStack Structures;        // IF/FOR/DO/SELECT of the statement loop
  ConditionalStack Conditionals;  // #IF/#SELECT of the conditional pass

  // Expressions.
  ExprBits ExprBuffers[4];
  uint8_t OperatorStack[256] = {};  // entries 1..255; 128 is a group marker
  uint8_t OperatorTop = 0;
  uint8_t OperatorFloor = 0;
  uint8_t GroupLevel = 0;
  // Evaluation-stack depth the expression in ExprBuffer reaches: set where a compile starts
  // (the values the instruction has stacked before it), then kept by every token emitted.
  uint8_t ArgDepth = 0;

  // Declarations (variable allocation).
  uint8_t NextVarCell[4] = {};
  uint8_t VarBitsTotal = 0;

  // For the map and disassembly reports: the symbol table and where the code ends.
  const HashedSymbols& SymbolTable = Names.Symbols;
  const uint16_t& CodeBitPos = Code.BitPos;

  // The VD1 tokenizer's copy of the source, taken right after the first scan, and its work record.
  char Vd1Source[SourceCapacity] = {};
  int32_t Vd1SourceSize = 0;
  std::unique_ptr<Vd1WorkRecord, Vd1WorkDeleter> Vd1Work;

 private:
  void Reset();
  void RunPasses(bool directivesOnly, bool readTargetDirective, bool anyLanguageVersion);
  void RunCompilePasses();

  // The text of the last error; TokenizeResult.ErrorText points into it.
  std::string ErrorMessage;
  // Scanner internals.
  void AddElement(uint8_t kind, uint16_t value, bool IsEnd);
  void StartScan(bool Full);
  void ScanCharacter(int c);
  // The next element that is not deleted, names resolved, without moving past it; ElementIndex
  // stops on it. False at the end of the list.
  bool ReadLiveElement(Element& element);
  int ReadChar();
  void ReadName();
  uint16_t ReadNumber(int base, int places);
  void ScanQuoted();
  void ScanOperator(char first);
  void ScanCommentDirective();
  void ScanDirectiveText(bool quoted);
  void FinishScan();
  // Expression internals.
  friend class ExpressionCompiler;
  void StartFreshExpression(const ExpressionOptions& options);
  void PushOperator(uint8_t entry);
  void Flush();
  void CloseGroup();
  // Conditional compilation internals.
  void CondIf(const Element& directive);
  void CondElse(const Element& directive);
  void CondEndif(const Element& directive);
  void CondDefine(const Element& directive);
  void CondError(const Element& directive);
  void CondSelect(const Element& directive);
  void CondCase(const Element& directive);
  void CondEndselect(const Element& directive);
  bool CaseValueIsRange();
  void CompileCaseValueList();
  void CompileCaseValue(int selectorStart, uint8_t compare);  // into ExprBuffer
};

}  // namespace tok
