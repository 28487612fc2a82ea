// The interpreter keeps its own table of the codes the larger modules renumbered, as a check
// on the tokenizer's: the two must agree entry by entry, for every module of the family.

#include <gtest/gtest.h>

#include "sim/vm/ObjectCode.h"
#include "tokenizer/TokenTable.h"

namespace {

TEST(VmCodeTable, AgreesWithTheTokenizerForEveryModuleAndOperation) {
  for (uint8_t module = 2; module <= 6; ++module) {
    for (int op = 0; op < sim::vm::OpCount_; ++op) {
      const int written = tok::TokenCode(static_cast<uint8_t>(op), module);
      EXPECT_EQ(sim::vm::CodeOfOperation(op, module), written)
          << "module " << int(module) << ", operation " << op;
      EXPECT_EQ(sim::vm::OperationOfCode(written, module), op)
          << "module " << int(module) << ", code " << written;
    }
  }
}

}  // namespace
