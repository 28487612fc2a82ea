#include <gtest/gtest.h>

#include "CompileSupport.h"

using namespace vd2test;

TEST(StatementSmoke, HighFive) {
  auto r = Compile(Program("HIGH 5\n", 2, "2.0"));
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(CodeBits(*r.T), Addr(14) + "1" + Const(5) + Tok(5) + Tok(0));
}
