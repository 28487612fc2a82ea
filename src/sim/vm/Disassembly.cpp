// Text of decoded statements for `tessic --disasm`: expressions in infix form with every
// operation in brackets (the module evaluates strictly left to right), variables by cell.

#include <cstdio>

#include "sim/vm/ObjectCode.h"

namespace sim::vm {

namespace {

constexpr const char* kUnary[8] = {"SQR ", "ABS ", "~", "-", "DCD ", "NCD ", "COS ", "SIN "};
constexpr const char* kBinary[24] = {"HYP", "ATN", "&",  "|",  "^",   "MIN", "MAX", "+",
                                     "-",   "*/",  "*",  "**", "//",  "/",   "DIG", "<<",
                                     ">>",  "REV", ">=", "<=", "=",   "<>",  ">",   "<"};
constexpr const char* kCellPrefix[4] = {"BIT", "NIB", "B", "W"};

std::string CellText(const Token& t) {
  return std::string(kCellPrefix[VariableSize(t.code)]) + std::to_string(t.value);
}

// A label passed as a value is the constant token 46 in its long form (16384 + address
// field); an ordinary constant of that size looks the same, so both readings are shown.
std::string ConstantText(const Token& t) {
  if (t.code == 46 && t.longForm) return std::to_string(t.value) + "(@" + std::to_string(LabelPosition(t.value)) + ")";
  return std::to_string(t.value);
}

// Renders tokens onto a stack of texts; write tokens become "cell := value" entries.
void Render(const std::vector<Token>& tokens, std::vector<std::string>& stack) {
  auto pop = [&stack]() {
    if (stack.empty()) return std::string("?");
    std::string top = std::move(stack.back());
    stack.pop_back();
    return top;
  };
  for (const Token& t : tokens) {
    if (IsConstant(t.code)) {
      stack.push_back(ConstantText(t));
    } else if (IsUnary(t.code)) {
      stack.push_back(kUnary[t.code] + pop());
    } else if (IsBinary(t.code)) {
      const std::string y = pop(), x = pop();
      stack.push_back("(" + x + " " + kBinary[t.code - 8] + " " + y + ")");
    } else {
      std::string cell = CellText(t);
      if (VariableIndexed(t.code)) cell += "(" + pop() + ")";
      if (VariableWrite(t.code))
        stack.push_back(cell + " := " + pop());
      else
        stack.push_back(cell);
    }
  }
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? ", " : "") + parts[i];
  return out;
}

// A store field applied to the value "it".
std::string StoreText(const Field& f) {
  std::vector<std::string> stack{"it"};
  Render(f.tokens, stack);
  std::string target = Join(stack);
  const size_t assign = target.find(" := ");
  if (assign != std::string::npos) target = target.substr(0, assign);
  return "-> " + target;
}

}  // namespace

std::string TokenText(const Token& token) {
  if (IsConstant(token.code)) return ConstantText(token);
  if (IsUnary(token.code)) return std::string("op:") + kUnary[token.code];
  if (IsBinary(token.code)) return std::string("op:") + kBinary[token.code - 8];
  return (VariableWrite(token.code) ? "write:" : "") + CellText(token) + (VariableIndexed(token.code) ? "()" : "");
}

std::string ExpressionText(const std::vector<Token>& tokens) {
  std::vector<std::string> stack;
  Render(tokens, stack);
  return Join(stack);
}

std::string StatementText(const Statement& s) {
  char head[48];
  std::snprintf(head, sizeof head, "%6d  ", s.at);
  std::string line = head;
  line += OpName(s.op);
  const std::string pushed = ExpressionText(s.pushes);
  if (!pushed.empty()) line += " " + pushed;
  std::string rest;
  for (const Field& f : s.fields) {
    switch (f.kind) {
      case Field::Sub: rest += " [" + ExpressionText(f.tokens) + "]"; break;
      case Field::Pushes: rest += " {" + ExpressionText(f.tokens) + "}"; break;
      case Field::Store: rest += " " + StoreText(f); break;
      case Field::Address: rest += " @" + std::to_string(f.position); break;
      case Field::Number: rest += " #" + std::to_string(f.value); break;
      case Field::Separator: rest += f.value ? "," : ";"; break;
    }
  }
  return line + (rest.empty() ? "" : " |" + rest);
}

}  // namespace sim::vm
