// Dates in every layout of "qvan_date_format": printing, the picture in force, and reading back.
#include "text/date_format.h"

#include <clocale>
#include <cstring>
#include <string>

#include "host/lisp_symbols.h"
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/test_locale.h"

namespace {

// Skips a test whose texts are those of the short date MM/dd/yy when the system has another.
#define SKIP_UNLESS_SHORT_DATE_IS_MM_DD_YY()                                                       \
  if (shortDate() != "12/31/05")                                                                   \
  GTEST_SKIP() << "the short date here is the user's " << shortDate() << ", not 12/31/05"

class DateFormatTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::setlocale(LC_TIME, "C"); // short date MM/dd/yy
  }
  void select(int16_t layout) { ASSERT_EQ(qv::setLispShort("qvan_date_format", layout), RTNORM); }
  void selectText(const char* text) {
    ASSERT_EQ(qv::setLispString("qvan_date_format", text), RTNORM);
  }
  std::string format(int day, int month, int year, const char* picture, int expected = 1) {
    char out[qv::kDateTextSize];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(qv::FormatDate(static_cast<uint16_t>(day), static_cast<uint16_t>(month), year,
                             picture, out),
              expected);
    return out;
  }
  // The system's short date of 31 December 2005: "12/31/05" in the C locale of the stand-in; on
  // Windows the user's own setting, which a test does not change.
  static std::string shortDate() {
    SYSTEMTIME date{};
    date.wYear = 2005;
    date.wMonth = 12;
    date.wDay = 31;
    char out[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, out, sizeof out);
    return out;
  }
  std::string pattern() {
    char out[qv::kDateTextSize];
    std::memset(out, 'x', sizeof out);
    qv::GetDatePattern(out);
    return out;
  }
  struct Parsed {
    int result;
    int32_t day, month, year;
  };
  Parsed parse(const char* picture, const char* text) {
    Parsed parsed{-1, -1, -1, -1};
    parsed.result = qv::ParseDate(picture, text, parsed.day, parsed.month, parsed.year);
    return parsed;
  }
  // The result and the numbers read, as "result:day/month/year".
  std::string parsed(const char* picture, const char* text) {
    const Parsed p = parse(picture, text);
    return std::to_string(p.result) + ":" + std::to_string(p.day) + "/" + std::to_string(p.month) +
           "/" + std::to_string(p.year);
  }
};

TEST_F(DateFormatTest, PrintsWithAGivenPictureFoldingTwoDigitYearsAndRefusingDatesThatDoNotExist) {
  EXPECT_EQ(format(5, 3, 2007, "yyyy-MM-dd"), "2007-03-05");
  EXPECT_EQ(format(5, 3, 7, "yyyy-MM-dd"), "2007-03-05");
  EXPECT_EQ(format(5, 3, 2007, "d.M.yy"), "5.3.07");
  EXPECT_EQ(format(5, 3, 2007, "dddd, d MMMM yyyy"), "Monday, 5 March 2007");
  EXPECT_EQ(format(5, 3, 2007, "'Day' d 'of' MMM"), "Day 5 of Mar");
  EXPECT_EQ(format(1, 2, 0, "yyyy"), "2000");
  EXPECT_EQ(format(1, 2, 89, "yyyy"), "2089");
  EXPECT_EQ(format(1, 2, 90, "yyyy"), "1990");
  EXPECT_EQ(format(1, 2, 95, "yyyy"), "1995");
  EXPECT_EQ(format(1, 2, 99, "yyyy"), "1999");
  EXPECT_EQ(format(1, 2, 1899, "yyyy"), "1899");
  EXPECT_EQ(format(5, 3, -1, "yyyy", 0), "");
  EXPECT_EQ(format(31, 4, 2007, "yyyy", 0), "");
  EXPECT_EQ(format(29, 2, 2008, "dd"), "29");
  EXPECT_EQ(format(1, 13, 2007, "yyyy", 0), "");
  EXPECT_EQ(format(0, 1, 2007, "yyyy", 0), "");
  EXPECT_EQ(format(1, 1, 70000, "yyyy", 0), ""); // would wrap in a 16-bit year
  EXPECT_EQ(format(1, 1, 30827, "yyyy"), "30827");
  EXPECT_EQ(format(1, 1, 2005, std::string(255, '-').c_str(), 0), ""); // longer than 255
  // Wine's GetDateFormatA refuses the year 100 and a picture of 254 characters, which Windows
  // prints, and prints 29 February of a common year and years past 30827, which Windows refuses
  // as dates out of range: these checks are Windows' alone.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(format(1, 2, 100, "yyyy-MM-dd"), "0100-02-01");
    EXPECT_EQ(format(1, 1, 2005, std::string(254, '-').c_str()), std::string(254, '-'));
    EXPECT_EQ(format(29, 2, 2007, "yyyy", 0), "");
    EXPECT_EQ(format(1, 1, 30828, "yyyy", 0), "");
  }
}

TEST_F(DateFormatTest, PrintsInEverySelectedLayout) {
  SKIP_UNLESS_SHORT_DATE_IS_MM_DD_YY();
  const char* expected[] = {"12/31/05",   "12/31/2005", "12-31-2005", "31/12/2005", "31-12-2005",
                            "2005/12/31", "2005-12-31", "2005/31/12", "2005-31-12"};
  for (int16_t layout = 0; layout <= 8; ++layout) {
    select(layout);
    EXPECT_EQ(format(31, 12, 2005, nullptr), expected[layout]) << layout;
    EXPECT_EQ(parsed(nullptr, expected[layout]), layout == 0 ? "1:31/12/5" : "1:31/12/2005");
    EXPECT_EQ(qv::IsDateText(expected[layout]), 1);
  }
}

TEST_F(DateFormatTest, SelectionFromTextsUnsetAndOtherNumbers) {
  SKIP_UNLESS_SHORT_DATE_IS_MM_DD_YY();
  EXPECT_EQ(format(31, 12, 2005, nullptr), "12/31/05"); // unset
  EXPECT_EQ(pattern(), "MM/dd/yy");
  selectText("3");
  EXPECT_EQ(format(31, 12, 2005, nullptr), "31/12/2005");
  selectText("dd.MM.yyyy"); // not a number: the system's short date
  EXPECT_EQ(format(31, 12, 2005, nullptr), "12/31/05");
  ASSERT_EQ(qv::setLispReal("qvan_date_format", 6.0), RTNORM);
  EXPECT_EQ(format(31, 12, 2005, nullptr), "2005-12-31");
  select(9); // any other number is its own text as the picture
  EXPECT_EQ(format(31, 12, 2005, nullptr), "9");
  EXPECT_EQ(pattern(), "9");
  EXPECT_EQ(qv::IsDateText("9"), 0);
  selectText(std::string(300, '1').c_str()); // too long to be a picture: unset
  EXPECT_EQ(pattern(), "MM/dd/yy");
}

TEST_F(DateFormatTest, WindowsAndEmptyPicturesMeanTheShortDate) {
  SKIP_UNLESS_SHORT_DATE_IS_MM_DD_YY();
  EXPECT_EQ(format(5, 3, 2007, "windows"), "03/05/07");
  EXPECT_EQ(format(5, 3, 2007, "WINDOWS"), "03/05/07");
  EXPECT_EQ(format(5, 3, 2007, ""), "03/05/07");
  EXPECT_EQ(format(5, 3, 2007, "windows!"), "win5ows!");
  select(5);
  EXPECT_EQ(pattern(), "yyyy/MM/dd");
  EXPECT_EQ(parse("Windows", "03/05/07").month, 3);
  EXPECT_EQ(parse("", "03/05/07").day, 5);
}

TEST_F(DateFormatTest, ParsingChecksTheRangesAndNeedsExactlyThreeNumbersInPlace) {
  select(7); // the day before the month
  EXPECT_EQ(format(31, 12, 2005, nullptr), "2005/31/12");
  EXPECT_EQ(parsed(nullptr, "2005/31/12"), "1:31/12/2005");
  EXPECT_EQ(parse(nullptr, "2005/12/31").result, 0);
  select(3);
  EXPECT_EQ(parsed(nullptr, "12/31/2005"), "0:12/31/2005"); // month 31
  EXPECT_EQ(parsed(nullptr, "31/12/05"), "1:31/12/5");
  EXPECT_EQ(parsed("dd/MM/yyyy", "31/12").substr(0, 6), "0:0/0/"); // emptied on failure
  EXPECT_EQ(parsed("d.M.yy", "1.2.3"), "1:1/2/3");
  const char* refused[][2] = {
      {nullptr, "0/12/2005"},  {nullptr, "32/12/2005"},      {nullptr, "1/0/2005"},
      {nullptr, "1/1/-1"},     {"dd/MM/yyyy", "31-12-2005"}, {"dd/MM/yyyy", ""},
      {"dd/MM/yyyy", nullptr}, {"dd/MM/yyyy", "a1/1/2000"},  {"dd/MM/yyyy/dd", "1/2/2005/4"},
      {"dd/MM", "1/2"},        {"dd/dd/yyyy", "1/2/2005"},
  };
  for (const auto& c : refused) {
    EXPECT_EQ(parse(c[0], c[1]).result, 0) << (c[0] ? c[0] : "(set)") << " " << (c[1] ? c[1] : "");
  }
  const char* accepted[][2] = {
      {nullptr, "1/1/0"},
      {nullptr, " 31/ 12/ 2005"},
      {nullptr, "31/12/2005 and more"},
      {"dd/MM/yyyy/dd", "1/2/2005"},
      {"dd MM yyyy", "1   2\t2005"},
  };
  for (const auto& c : accepted) {
    EXPECT_EQ(parse(c[0], c[1]).result, 1) << (c[0] ? c[0] : "(set)") << " " << c[1];
  }
  EXPECT_EQ(parse("ddMMyyyy", "31122005").result, 0);
  EXPECT_EQ(parse("yyyyMMdd", "20051231").result, 0);
  EXPECT_EQ(parse("ddMM/yyyy", "3112/2005").result, 0);
  EXPECT_EQ(format(31, 12, 2005, "ddMMyyyy"), "31122005");
  EXPECT_EQ(parse("dd/MM/yyyy", "99999999999999999999/1/1").result, 0);
  EXPECT_EQ(parsed("dd/MM/yyyy", "1/1/99999999999999999999"), "1:1/1/2147483647");
  EXPECT_EQ(parse("dd/MM/yyyy", "1/-99999999999999999999/1").result, 0);
}

TEST_F(DateFormatTest, FailingSystemFormattingReportsFailure) {
  QV_SKIP_UNLESS_FAILABLE("GetDateFormatA");
  sim::failCall("GetDateFormatA");
  EXPECT_EQ(format(5, 3, 2007, "yyyy", 0), "");
  sim::failCall("GetDateFormatA");
  EXPECT_EQ(pattern(), "");
  sim::failCall("GetDateFormatA");
  EXPECT_EQ(qv::IsDateText("03/05/07"), 0);
  EXPECT_EQ(qv::IsDateText("03/05/07"), 1);
}

TEST_F(DateFormatTest, AnotherLocaleGivesItsOwnShortDate) {
  if (!qvtest::useGermanDateLocale(tempDir())) {
    qvtest::useCDateLocale();
    GTEST_SKIP() << "localedef cannot build the test locale here";
  }
  EXPECT_EQ(pattern(), "dd.MM.yyyy");
  EXPECT_EQ(format(5, 3, 2007, nullptr), "05.03.2007");
  EXPECT_EQ(format(5, 3, 2007, "dddd, d. MMMM yyyy"), "Montag, 5. M\xE4rz 2007");
  EXPECT_EQ(parsed(nullptr, "22.11.2033"), "1:22/11/2033");
  EXPECT_EQ(qv::IsDateText("11/22/33"), 0);
  select(1); // a chosen layout does not depend on the locale
  EXPECT_EQ(format(5, 3, 2007, nullptr), "03/05/2007");
  qvtest::useCDateLocale();
  select(0);
  EXPECT_EQ(pattern(), "MM/dd/yy");
}

} // namespace
