// Feet, inches and sixteenths: every band edge, the carries, and the forms without feet or inches.
#include "text/feet_inches.h"

#include <cstring>
#include <limits>
#include <string>

#include "testing/host_test.h"

namespace {

class FeetInchesTest : public qvtest::HostTest {
protected:
  std::string feet(double value) {
    char out[qv::kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    qv::FormatFeetInches(value, out);
    return out;
  }
  // n/128 of a foot is 3n/32 of an inch exactly, so band edges can be hit without rounding.
  static double inch32nds(int whole, int thirtySeconds) {
    return whole / 12.0 + thirtySeconds / 384.0;
  }
};

// Each row: a length in feet and its text, with and without feet, inches and fractions; bands
// include their upper edge (3/32 is the top of 1/16, 9/32 of 1/4, 15/32 of 7/16, 21/32 of 5/8,
// 27/32 of 13/16); negative lengths print their size with a minus.
TEST_F(FeetInchesTest, PrintsFeetInchesAndSixteenths) {
  const struct {
    double feet;
    const char* text;
  } cases[] = {
      {3.5, "3'6\""},
      {0.5, "6\""},
      {0, "0\""},
      {3, "3'0\""},
      {10.25, "10'3\""},
      {3.03125, "3'3/8\""},
      {3 + 5.375 / 12, "3'5 3/8\""},
      {5.375 / 12, "5 3/8\""},
      {0.375 / 12, "3/8\""},
      {2 + 0.5 / 12, "2'1/2\""},
      {1 / 128.0, "1/16\""},
      {3 / 128.0, "1/4\""},
      {5 / 128.0, "7/16\""},
      {7 / 128.0, "5/8\""},
      {9 / 128.0, "13/16\""},
      {2 / 128.0, "3/16\""},
      {11 / 128.0, "1 1/16\""},
      {-3.5, "-3'6\""},
      {-0.5, "-6\""},
      {-3.03125, "-3'3/8\""},
      {-2.999, "-3'0\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(feet(c.feet), c.text) << c.feet;
  }
}

TEST_F(FeetInchesTest, JustAboveAnEdgeIsTheNextSixteenthAndAboveFifteenCarries) {
  const char* names[] = {"1/16", "1/8", "3/16",  "1/4", "5/16",  "3/8", "7/16", "1/2",
                         "9/16", "5/8", "11/16", "3/4", "13/16", "7/8", "15/16"};
  for (int sixteenth = 1; sixteenth <= 15; ++sixteenth) {
    const double center = sixteenth / 16.0;
    const double justInside = center + 1 / 32.0 - 1e-6; // just below the upper edge
    const double justAbove = center - 1 / 32.0 + 1e-6;  // just above the lower edge
    EXPECT_EQ(feet(4 + (7 + justInside) / 12), "4'7 " + std::string(names[sixteenth - 1]) + "\"");
    EXPECT_EQ(feet(4 + (7 + justAbove) / 12), "4'7 " + std::string(names[sixteenth - 1]) + "\"");
  }
  EXPECT_EQ(feet(4 + 7.0001 / 12), "4'7 1/16\"");
  EXPECT_EQ(feet(2.999), "3'0\"");
  EXPECT_EQ(feet(4 + 7.97 / 12), "4'8\"");
  EXPECT_EQ(feet(4 + 7.96 / 12), "4'7 15/16\"");
  EXPECT_EQ(feet(11.99999), "12'0\"");
  EXPECT_EQ(feet(0.99 / 12), "1\"");
  EXPECT_EQ(feet(inch32nds(11, 31) + 1e-9), "1'0\"");
  EXPECT_EQ(feet(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(feet(std::numeric_limits<double>::infinity()), "");
  const std::string huge = feet(-std::numeric_limits<double>::max());
  EXPECT_LT(huge.size(), qv::kQuantityTextMax);
  EXPECT_EQ(huge.substr(huge.size() - 3), "'0\"");
  EXPECT_EQ(huge.substr(0, 5), "-1797");
  EXPECT_EQ(feet(std::numeric_limits<double>::denorm_min()), "1/16\"");
}

} // namespace
