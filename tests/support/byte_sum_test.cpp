// The byte sum written over a text, within the text's own bytes or a given capacity.
#include "support/byte_sum.h"

#include <cstring>

#include "testing/host_test.h"

namespace {

class ByteSumTest : public qvtest::HostTest {};

TEST_F(ByteSumTest, ReplacesTheTextByItsByteSum) {
  char text[] = "abc";
  EXPECT_EQ(qv::byteSumText(text), 1);
  EXPECT_STREQ(text, "294");
  char high[] = "\xff\xff\xff\x80";
  EXPECT_EQ(qv::byteSumText(high), 1);
  EXPECT_STREQ(high, "893"); // bytes count as unsigned
}

TEST_F(ByteSumTest, SumThatDoesNotFitLeavesTheTextAlone) {
  char one[] = "a";
  EXPECT_EQ(qv::byteSumText(one), 0);
  EXPECT_STREQ(one, "a");
  char empty[] = "";
  EXPECT_EQ(qv::byteSumText(empty), 0);
  EXPECT_EQ(qv::byteSumText(nullptr), 0);
  char roomy[8] = "a";
  EXPECT_EQ(qv::byteSumText(roomy, sizeof roomy), 1);
  EXPECT_STREQ(roomy, "97");
  char zero[2] = "";
  EXPECT_EQ(qv::byteSumText(zero, sizeof zero), 1);
  EXPECT_STREQ(zero, "0");
  char tight[3] = "zz"; // 244 needs four bytes
  EXPECT_EQ(qv::byteSumText(tight, sizeof tight), 0);
  EXPECT_STREQ(tight, "zz");
}

} // namespace
