// The byte sum written over a text, within the text's own bytes or a given capacity.
#include "support/byte_sum.h"

#include <cstring>
#include <vector>

#include "testing/host_test.h"

namespace {

class ByteSumTest : public qvtest::HostTest {};

TEST_F(ByteSumTest, WritesTheSumOnlyWhenItFitsTheTextOrTheCapacity) {
  struct Case {
    const char* text;
    size_t capacity; // 0: the form without a capacity, on a buffer of exactly the text
    int result;
    const char* after;
  };
  const Case cases[] = {
      {"abc", 0, 1, "294"}, {"\xff\xff\xff\x80", 0, 1, "893"}, // bytes count as unsigned
      {"a", 0, 0, "a"},                                        // 97 does not fit in two bytes
      {"", 0, 0, ""},       {"a", 8, 1, "97"},
      {"", 2, 1, "0"},      {"zz", 3, 0, "zz"}, // 244 needs four bytes
  };
  for (const Case& c : cases) {
    // Exactly sized on the heap, so the sanitizers see any write past the end.
    std::vector<char> buffer(c.capacity == 0 ? std::strlen(c.text) + 1 : c.capacity);
    std::strcpy(buffer.data(), c.text);
    const int result = c.capacity == 0 ? qv::byteSumText(buffer.data())
                                       : qv::byteSumText(buffer.data(), c.capacity);
    EXPECT_EQ(result, c.result) << c.text;
    EXPECT_STREQ(buffer.data(), c.after) << c.text;
  }
  EXPECT_EQ(qv::byteSumText(nullptr), 0);
}

} // namespace
