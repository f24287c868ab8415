// Decimal numbers read as the family's runtime reads them: no hexadecimal, no infinity or NaN.
#include "support/read_decimal.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "testing/host_test.h"

namespace {

class ReadDecimalTest : public qvtest::HostTest {};

// Each row: a text, its value and how many characters the number takes.
TEST_F(ReadDecimalTest, ReadsTheLongestDecimalPrefixRoundingAsStrtod) {
  struct Case {
    const char* text;
    double value;
    size_t used;
  };
  const Case cases[] = {
      {"12.5", 12.5, 4},      {" \t\n-3.25e2xyz", -325.0, 10},
      {"+.5", 0.5, 3},        {"5.", 5.0, 2},
      {"5.e1", 50.0, 4},      {"1e", 1.0, 1},
      {"1e+", 1.0, 1},        {"2E-1", 0.2, 4},
      {"0x1A", 0.0, 1}, // the zero before the 'x'
      {"-0X10", -0.0, 2},     {"0x1p3", 0.0, 1},
      {"inf", 0.0, 0},        {"-infinity", 0.0, 0},
      {"nan", 0.0, 0},        {"nancy", 0.0, 0},
      {"Info desk", 0.0, 0},  {".", 0.0, 0},
      {"-", 0.0, 0},          {"- 5", 0.0, 0},
      {".e5", 0.0, 0},        {"", 0.0, 0},
      {"1e400", HUGE_VAL, 5}, // out of range: as strtod answers
  };
  for (const Case& c : cases) {
    char* end = nullptr;
    const double value = qv::readDecimal(c.text, &end);
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
    EXPECT_EQ(static_cast<size_t>(end - c.text), c.used) << c.text;
  }
  EXPECT_EQ(qv::readDecimal(nullptr, nullptr), 0.0);
  char* end = reinterpret_cast<char*>(1);
  EXPECT_EQ(qv::readDecimal(nullptr, &end), 0.0);
  EXPECT_EQ(end, nullptr);
  for (const char* text :
       {"0.1", "2.2250738585072011e-308", "4.9406564584124654e-324", "1.7976931348623157e308",
        "123456789012345678901234567890", "0.30000000000000004441", "9007199254740993"}) {
    EXPECT_EQ(qv::readDecimal(text, nullptr), std::strtod(text, nullptr)) << text;
  }
}

} // namespace
