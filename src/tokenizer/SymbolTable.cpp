// The symbol table and DeclaredNames: 1024 records each, chained by the hash of the name.

#include <algorithm>

#include "tokenizer/Keywords.h"
#include "tokenizer/Tokenizer.h"

namespace tok {

void Symbol::SetName(std::string_view name) {
  NameLength = static_cast<uint8_t>(std::min<size_t>(name.size(), NameLimit));
  std::copy_n(name.data(), NameLength, Name);
}

void HashedSymbols::Clear() {
  Count = 0;
  std::fill(std::begin(Heads), std::end(Heads), -1);
  std::fill(std::begin(Tails), std::end(Tails), -1);
}

int HashedSymbols::Find(std::string_view name) const {
  if (name.size() > NameLimit) name = name.substr(0, NameLimit);
  for (int i = Heads[NameHash(name)]; i >= 0; i = Records[i].Next)
    if (Records[i].NameView() == name) return i;
  return -1;
}

void HashedSymbols::Append(const Symbol& record) {
  const int index = Count++;
  Symbol& s = Records[index];
  s.SetName(record.NameView());
  s.Kind = record.Kind;
  s.Value = record.Value;
  s.Next = -1;
  // Later records go to the end of their chain: a name declared twice is found as declared first.
  const int chain = NameHash(s.NameView());
  if (Tails[chain] < 0)
    Heads[chain] = index;
  else
    Records[Tails[chain]].Next = index;
  Tails[chain] = index;
}

void SymbolTables::Clear() {
  Symbols.Clear();
  DeclaredNames.Clear();
}

bool SymbolTables::Add(const Symbol& record) {
  if (Symbols.Full()) return false;
  Symbols.Append(record);
  return true;
}

bool SymbolTables::AddDeclaredName(std::string_view name) {
  if (DeclaredNames.Full()) return false;
  Symbol record;
  record.SetName(name);
  DeclaredNames.Append(record);
  return true;
}

LookupResult SymbolTables::Lookup(std::string_view name) const {
  LookupResult result;
  const int found = Find(name);
  if (found >= 0) {
    result.Kind = Symbols.Records[found].Kind;
    result.Value = Symbols.Records[found].Value;
  } else {
    result.DeclaredLater = FindDeclaredName(name) >= 0;
  }
  return result;
}

bool SymbolTables::SetValue(std::string_view name, int16_t value) {
  const int found = Find(name);
  if (found < 0) return false;
  Symbols.Records[found].Value = value;
  return true;
}

// ---- the tokenizer's side: a full table is an error -------------------------------------------

void Tokenizer::ClearSymbolTables() {
  Names.Clear();
}

void Tokenizer::AddSymbol(const Symbol& record) {
  if (!Names.Add(record)) RaiseTokenizeError(ErrSymbolTableFull);
}

void Tokenizer::AddDeclaredName(std::string_view name) {
  if (!Names.AddDeclaredName(name)) RaiseTokenizeError(ErrSymbolTableFull);
}

int Tokenizer::FindSymbol(std::string_view name) const {
  return Names.Find(name);
}
int Tokenizer::FindDeclaredName(std::string_view name) const {
  return Names.FindDeclaredName(name);
}

bool Tokenizer::LookupName(std::string_view name) {
  LastLookup = Names.Lookup(name);
  return LastLookup.Kind != Unresolved;
}

bool Tokenizer::SetSymbolValue(std::string_view name, int16_t value) {
  return Names.SetValue(name, value);
}

static Symbol ToSymbol(const KeywordRecord& k) {
  Symbol s;
  s.SetName(k.Name);
  s.Kind = k.Kind;
  s.Value = k.Value;
  return s;
}

void Tokenizer::LoadDirectiveSymbols() {
  ClearSymbolTables();
  for (const KeywordRecord& k : DirectiveKeywords) AddSymbol(ToSymbol(k));
}

void Tokenizer::LoadKeywordSymbols() {
  const int module = TokenizeResult.TargetModule;
  if (module < ModuleVD1 || module > ModuleVD2PE) {
    TokenizeResult.ErrorStart = 0;
    TokenizeResult.ErrorLength = 0;
    RaiseTokenizeError(ErrUnknownTargetModule);
  }
  for (const KeywordRecord& k : MainKeywordsBeforeFormatters) AddSymbol(ToSymbol(k));
  for (const FormatterName& f : Formatters) {
    Symbol s;
    s.SetName(f.View());
    s.Kind = tok::Formatter;
    s.Value = f.Value;
    AddSymbol(s);
  }
  for (const KeywordRecord& k : MainKeywordsAfterFormatters) AddSymbol(ToSymbol(k));
  const uint32_t need = KeywordNeed(module, LanguageIs25);
  for (const ConditionalKeyword& c : ConditionalKeywords)
    if ((c.Mask & need) == need) AddSymbol(ToSymbol(c.Record));
}

}  // namespace tok
