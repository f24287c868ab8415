// Station texts in every style, with signs and decimals, and read back as numbers.
#include "text/station_format.h"

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "testing/host_test.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class StationFormatTest : public qvtest::HostTest {
protected:
  // Formats in a heap buffer of exactly the documented size, so that the sanitizers see any
  // write past it.
  std::string station(const std::string& text, const char* style, double interval = 0) {
    const bool tinyInterval = style != nullptr && style[0] == '2' && interval > 0 && interval < 1;
    std::vector<char> buffer(text.size() +
                             (tinyInterval ? qv::kQuantityTextMax : qv::kStationGrowthMax + 1));
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    qv::FormatStation(buffer.data(), style, interval);
    return buffer.data();
  }
};

TEST_F(StationFormatTest, ReadsStationTextsBack) {
  EXPECT_DOUBLE_EQ(qv::StationToNumber("12+34.56"), 1234.56);
  EXPECT_DOUBLE_EQ(qv::StationToNumber("123+456"), 123456);
  EXPECT_DOUBLE_EQ(qv::StationToNumber("-12+34.5"), -1234.5);
  EXPECT_DOUBLE_EQ(qv::StationToNumber("1+2+3"), 123);
  EXPECT_EQ(qv::StationToNumber(""), 0);
  EXPECT_EQ(qv::StationToNumber(nullptr), 0);
  EXPECT_EQ(qv::StationToNumber("+++"), 0);
  // Only decimal numbers: no hexadecimal, infinity or NaN.
  EXPECT_EQ(qv::StationToNumber("0x1A"), 0);
  EXPECT_EQ(qv::StationToNumber("0x1p3+55"), 0);
  EXPECT_EQ(qv::StationToNumber("inf"), 0);
  EXPECT_EQ(qv::StationToNumber("nan+00"), 0);
}

// Each row: a number, the style and the station text. Style 0 (or an empty style) pads and splits
// before the last two digits, style 1 before the last three; other styles and texts that are not
// numbers stay as they are.
TEST_F(StationFormatTest, HundredsAndThousandsPadAndSplitOtherStylesAreLeftAlone) {
  const char* cases[][3] = {
      {"0", "0", "0+00"},
      {"5", "0", "0+05"},
      {"99", "0", "0+99"},
      {"100", "0", "1+00"},
      {"1234", "0", "12+34"},
      {"1234.56", "0", "12+34.56"},
      {"-1234.5", "0", "-12+34.5"},
      {"-5", "0", "-0+05"},
      {"0007", "0", "0+07"},
      {".25", "0", "0+00.25"},
      {"1234", "", "12+34"},
      {"5", "1", "0+005"},
      {"999", "1", "0+999"},
      {"1000", "1", "1+000"},
      {"123456", "1", "123+456"},
      {"-5.25", "1", "-0+005.25"},
      {"123456.789", "1", "123+456.789"},
      {"abc", "3", "abc"},
      {"1234.5", "3", "1234.5"},
      {"-1234.5", "x", "-1234.5"},
      {"", "0", ""},
      {"-", "0", "-"},
      {"12a", "0", "12a"},
      {"1e5", "1", "1e5"},
      {"12.3.4", "0", "12.3.4"},
      {"--5", "0", "--5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(station(c[0], c[1]), c[2]) << c[0] << " in style " << c[1];
  }
  EXPECT_EQ(station("1234", nullptr), "12+34");
  EXPECT_EQ(station(std::string(400, '9'), "0"), std::string(400, '9')); // beyond a double
}

// Each row: a number, the interval and the numbered station: whole stations are named, distances
// past the last one counted with their decimals; no interval, a negative or NaN one means every
// 100.
TEST_F(StationFormatTest, NumberedStationsNameWholeStationsAndDistancesPast) {
  const struct {
    const char* text;
    double interval;
    const char* station;
  } cases[] = {
      {"600", 50, "NO.12"},        {"620", 50, "+20.000"},    {"0", 50, "NO.0"},
      {"30", 50, "+30.000"},       {"-620", 50, "-+20.000"},  {"-600", 50, "-NO.12"},
      {"1200", 0, "NO.12"},        {"1250", -5, "+50.000"},   {"1250", kNan, "+50.000"},
      {"7", 2.5, "+2.000"},        {"620", kInf, "+620.000"}, {"620.5", 50, "+20.500"},
      {"600.5", 50, "+0.500"},     {"600.000", 50, "NO.12"},  {"612.5", 12.5, "NO.49"},
      {"-620.25", 50, "-+20.250"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(station(c.text, "2", c.interval), c.station) << c.text << " every " << c.interval;
  }
}

// Each row: a text, style, interval and the station text; none may outgrow the documented room.
TEST_F(StationFormatTest, AwkwardTextsStayWithinTheDocumentedGrowth) {
  const std::string nines(17, '9'); // rounds to 1e17 as a double
  const std::string longest(309, '9');
  struct Case {
    std::string text;
    const char* style;
    double interval;
    std::string expected;
  };
  const Case cases[] = {
      {".9", "1", 0, "0+000.9"},
      {"-.9", "1", 0, "-0+000.9"},
      {".9", "0", 0, "0+00.9"},
      {"-.", "1", 0, "-."},
      {"0", "1", 0, "0+000"},
      {nines, "0", 0, "1000000000000000+00"},
      {"-" + nines, "1", 0, "-100000000000000+000"},
      {nines, "2", 1e300, "+100000000000000000.000"},
      {"-" + nines, "2", kInf, "-+100000000000000000.000"},
      {nines, "2", 1, "NO.100000000000000000"},
      {"5", "2", 1e300, "+5.000"},
      {".5", "2", 1e300, "+0.500"},
  };
  for (const Case& c : cases) {
    const std::string result = station(c.text, c.style, c.interval);
    EXPECT_EQ(result, c.expected) << c.text << " in style " << c.style;
    EXPECT_LE(result.size(), c.text.size() + qv::kStationGrowthMax) << c.text;
  }
  for (const char* style : {"0", "1", "2"}) {
    for (const std::string& text : {longest, "-" + longest, longest + ".5", "-" + longest + "."}) {
      EXPECT_LE(station(text, style, 3).size(), text.size() + qv::kStationGrowthMax) << style;
    }
  }
  const std::string tiny = station("1", "2", 1e-300); // a count of about 1e300 stations
  EXPECT_EQ(tiny.substr(0, 3), "NO.");
  EXPECT_GT(tiny.size(), 300u);
}

TEST_F(StationFormatTest, HugeValuesEndWithoutLooping) {
  // 2^52 - 0.5: subtracting 1 at a time would take 4.5e15 rounds.
  EXPECT_EQ(station("4503599627370495.5", "2", 1), "+0.500");
  EXPECT_EQ(station("4503599627370495.5", "2", 3), "+0.500");
  const std::string huge = "1" + std::string(300, '0');
  EXPECT_EQ(station(huge + ".5", "2", 7).substr(0, 3), "NO.");
  EXPECT_EQ(station("123456789012345678901234", "2", 0.001).substr(0, 3), "NO.");
  const std::string hundreds = station(huge, "0");
  EXPECT_EQ(hundreds.size(), huge.size() + 1);
  EXPECT_EQ(hundreds.find('+'), huge.size() - 2);
  const std::string thousands = station(huge + ".25", "1");
  EXPECT_EQ(thousands.find('+'), huge.size() - 3);
  EXPECT_EQ(thousands.substr(thousands.size() - 3), ".25");
}

} // namespace
