// Removing statements from the element list: whatever order the passes remove them in, the
// list must look as if each removal had searched back for the last element still there.

#include <gtest/gtest.h>

#include <vector>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

struct Statement {
  int First = 0;
  int Last = 0;  // the element before its end
};

// Statements of the scanned list, in source order.
std::vector<Statement> StatementsOf(const tok::Tokenizer& t) {
  std::vector<Statement> found;
  int first = 0;
  for (int i = 0; i < t.Scan.EndMark; ++i) {
    if (t.Scan.ElementList[i].Kind != tok::EndOfStatement) continue;
    if (i > first) found.push_back({first, i - 1});
    first = i + 1;
  }
  return found;
}

// The removal as the passes describe it, searching back one element at a time.
void ReferenceDelete(std::vector<uint8_t>& kinds, int first, int last) {
  for (int i = first; i <= last; ++i) kinds[i] = tok::Deleted;
  const int after = last + 1;
  if (after >= static_cast<int>(kinds.size()) || kinds[after] != tok::EndOfStatement) return;
  int before = first - 1;
  while (before >= 0 && kinds[before] == tok::Deleted) --before;
  if (before < 0 || kinds[before] == tok::EndOfStatement) kinds[after] = tok::Deleted;
}

std::vector<uint8_t> KindsOf(const tok::Tokenizer& t) {
  std::vector<uint8_t> kinds;
  for (int i = 0; i < t.Scan.EndMark; ++i) kinds.push_back(t.Scan.ElementList[i].Kind);
  return kinds;
}

TEST(DeleteStatement, AnyRemovalOrderMatchesTheSearchBack) {
  const char* source =
      "a CON 1\nb CON 2\n\nc CON 3 : d CON 4\nHIGH 1\ne CON 5\nf CON 6\nLOW 2\ng CON 7\nh CON 8\ni CON 9\n";
  struct Case {
    const char* Name;
    std::vector<int> Order;  // statement numbers, removed in this order
  };
  const Case cases[] = {
      {"front to back", {0, 1, 2, 3, 5, 6, 8, 9, 10}},
      {"back to front", {10, 9, 8, 6, 5, 3, 2, 1, 0}},
      {"every other, then the rest", {0, 2, 5, 8, 10, 1, 3, 6, 9}},
      {"middle outwards", {6, 5, 8, 3, 9, 2, 10, 1, 0}},
      {"around the code lines", {3, 5, 6, 8}},
  };
  for (const Case& c : cases) {
    auto t = Make(source);
    ASSERT_FALSE(RunFront(*t)) << c.Name;
    const std::vector<Statement> statements = StatementsOf(*t);
    ASSERT_EQ(statements.size(), 11u) << c.Name;
    std::vector<uint8_t> expected = KindsOf(*t);
    for (int n : c.Order) {
      t->DeleteStatement(statements[n].First, statements[n].Last);
      ReferenceDelete(expected, statements[n].First, statements[n].Last);
      ASSERT_EQ(KindsOf(*t), expected) << c.Name << ", after statement " << n;
    }
  }
}

// Hundreds of removed declarations before a statement: the statement and its end survive.
TEST(DeleteStatement, LongRunsOfRemovedLinesLeaveTheRestIntact) {
  std::string source;
  for (int i = 0; i < 900; ++i) source += "n" + std::to_string(i) + " CON " + std::to_string(i) + "\n";
  source += "HIGH 1\n";
  auto t = Make(source);
  ASSERT_FALSE(RunFront(*t));
  const std::vector<Statement> statements = StatementsOf(*t);
  ASSERT_EQ(statements.size(), 901u);
  for (int n = 0; n < 900; ++n) t->DeleteStatement(statements[n].First, statements[n].Last);
  std::vector<uint8_t> live;
  for (uint8_t kind : KindsOf(*t))
    if (kind != tok::Deleted) live.push_back(kind);
  EXPECT_EQ(live, (std::vector<uint8_t>{tok::Instruction, tok::Constant, tok::EndOfStatement}));
}

}  // namespace
