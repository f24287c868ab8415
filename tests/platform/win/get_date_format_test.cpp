// GetDateFormatA: picture letters, quoting, the locale's short date, sizes and errors.
#include <chrono>
#include <clocale>
#include <cstring>
#include <string>

#include "platform/sim.h"
#ifndef _WIN32
#include "platform/win/internal/date_pictures.h"
#endif
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/test_locale.h"

namespace {

class GetDateFormatTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::setlocale(LC_TIME, "C");
  }
  static SYSTEMTIME date(int year, int month, int day) {
    SYSTEMTIME when{};
    when.wYear = static_cast<WORD>(year);
    when.wMonth = static_cast<WORD>(month);
    when.wDay = static_cast<WORD>(day);
    when.wDayOfWeek = 3; // ignored: the day of the week comes from the date
    return when;
  }
  std::string format(const char* picture, const SYSTEMTIME& when, DWORD flags = 0) {
    char out[256];
    std::memset(out, 'x', sizeof out);
    const int written = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &when, picture, out, 256);
    EXPECT_GT(written, 0) << (picture ? picture : "(short date)");
    if (written == 0) {
      return "(failed)";
    }
    EXPECT_EQ(written, static_cast<int>(std::strlen(out)) + 1);
    return out;
  }
  static int failure(LCID locale, DWORD flags, const SYSTEMTIME* when, const char* picture,
                     char* out, int size) {
    SetLastError(0);
    EXPECT_EQ(GetDateFormatA(locale, flags, when, picture, out, size), 0);
    return static_cast<int>(GetLastError());
  }
};

TEST_F(GetDateFormatTest, EveryPictureLetter) {
  const SYSTEMTIME when = date(2007, 3, 5); // a Monday
  EXPECT_EQ(format("d dd ddd dddd", when), "5 05 Mon Monday");
  EXPECT_EQ(format("M MM MMM MMMM", when), "3 03 Mar March");
  EXPECT_EQ(format("yy yyyy", when), "07 2007");
  EXPECT_EQ(format("ddddd MMMMM yyy", when), "Monday March 2007");
  EXPECT_EQ(format("dddd", date(2000, 1, 1)), "Saturday");
  EXPECT_EQ(format("ddd", date(1900, 3, 1)), "Thu");
  EXPECT_EQ(format("", when), "");
  // Wine prints "y" as "yy", the English era as "AD", and refuses the year 100; Windows prints
  // the year's last digit and "A.D.", and takes years from 1 on.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(format("y dd.MM.yyyy g", when), "7 05.03.2007 A.D.");
    EXPECT_EQ(format("y yy/yyyy", date(100, 1, 1)), "0 00/0100");
  }
}

TEST_F(GetDateFormatTest, QuotedTextIsCopied) {
  const SYSTEMTIME when = date(1994, 8, 31);
  EXPECT_EQ(format("ddd',' MMM dd yy", when), "Wed, Aug 31 94");
  EXPECT_EQ(format("'abc''bar'", when), "abc'bar");
  EXPECT_EQ(format("'day' d 'of' MMMM", when), "day 31 of August");
  EXPECT_EQ(format("d 'unterminated dMy", when), "31 unterminated dMy");
  EXPECT_EQ(format("d-M/yy#", when), "31-8/94#");
}

TEST_F(GetDateFormatTest, ShortAndLongDatesFollowTheLocale) {
  const SYSTEMTIME when = date(2007, 3, 5);
  char out[64];
  ASSERT_GT(GetDateFormatA(LOCALE_INVARIANT, DATE_SHORTDATE, &when, nullptr, out, 64), 0);
  EXPECT_STREQ(out, "03/05/2007");
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the user's date settings are Windows' own; the stand-in's come "
                                "from the C library's locale");
  EXPECT_EQ(format(nullptr, when, DATE_SHORTDATE), "03/05/07");
  EXPECT_EQ(format(nullptr, when, 0), "03/05/07");
  EXPECT_EQ(format(nullptr, when, DATE_LONGDATE), "Monday, March 5 2007");
  ASSERT_GT(GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &when, nullptr, out, 64), 0);
  EXPECT_STREQ(out, "03/05/07");
}

TEST_F(GetDateFormatTest, NullDateIsToday) {
  SYSTEMTIME before{};
  GetLocalTime(&before);
  char out[64];
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, "yyyy-MM-dd", out, 64), 0);
  SYSTEMTIME after{};
  GetLocalTime(&after);
  EXPECT_TRUE(format("yyyy-MM-dd", before) == out || format("yyyy-MM-dd", after) == out) << out;
  EXPECT_GE(after.wYear, 2024);
  const std::chrono::year_month_day today{std::chrono::year(after.wYear),
                                          std::chrono::month(after.wMonth),
                                          std::chrono::day(after.wDay)};
  EXPECT_EQ(after.wDayOfWeek, std::chrono::weekday(std::chrono::sys_days(today)).c_encoding());
}

TEST_F(GetDateFormatTest, SizeQueryAndShortBuffers) {
  const SYSTEMTIME when = date(2007, 3, 5);
  char out[16];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "yyyy-MM-dd", out, 0), 11);
  EXPECT_EQ(out[0], 'x');
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "yyyy-MM-dd", nullptr, 0), 11);
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &when, "yyyy-MM-dd", out, 10),
            ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "yyyy-MM-dd", out, 11), 11);
  EXPECT_STREQ(out, "2007-03-05");
}

TEST_F(GetDateFormatTest, ErrorsAsWindowsReportsThem) {
  const SYSTEMTIME when = date(2007, 3, 5);
  char out[64];
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, "yyyy", out, 64),
            ERROR_INVALID_FLAGS);
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, &when, nullptr, out, 64),
            ERROR_INVALID_FLAGS);
  EXPECT_EQ(failure(0xFFFF, 0, &when, "yyyy", out, 64), ERROR_INVALID_PARAMETER); // no locale
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &when, "yyyy", out, -1), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &when, "yyyy", nullptr, 64), ERROR_INVALID_PARAMETER);
  const SYSTEMTIME invalid[] = {date(2007, 13, 1), date(2007, 4, 31), date(2007, 1, 0),
                                date(0, 1, 1)};
  for (const SYSTEMTIME& bad : invalid) {
    EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &bad, "yyyy", out, 64), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(format("d MMM", date(2000, 2, 29)), "29 Feb");
  EXPECT_EQ(format("d MMM", date(2004, 2, 29)), "29 Feb");
  // Wine takes flags that no DATE_ constant names, 29 February of every year (its check of the
  // day gives February 29 days always) and years past 30827.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0x100, &when, nullptr, out, 64), ERROR_INVALID_FLAGS);
    for (const SYSTEMTIME& bad : {date(2007, 2, 29), date(1900, 2, 29), date(30828, 1, 1)}) {
      EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &bad, "d", out, 64), ERROR_INVALID_PARAMETER);
    }
  }
}

TEST_F(GetDateFormatTest, CanBeMadeToFail) {
  QV_SKIP_UNLESS_FAILABLE("GetDateFormatA");
  const SYSTEMTIME when = date(2007, 3, 5);
  char out[64];
  sim::failCall("GetDateFormatA", 2);
  EXPECT_EQ(format("yyyy", when), "2007");
  EXPECT_EQ(failure(LOCALE_USER_DEFAULT, 0, &when, "yyyy", out, 64), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(format("yyyy", when), "2007");
  EXPECT_EQ(sim::callCount("GetDateFormatA"), 3);
}

TEST_F(GetDateFormatTest, NamesAndShortDateComeFromTheLocale) {
  if (!qvtest::useGermanDateLocale(tempDir())) {
    qvtest::useCDateLocale();
    GTEST_SKIP() << "localedef cannot build the test locale here";
  }
  const SYSTEMTIME when = date(2007, 3, 5);
  EXPECT_EQ(format("ddd dddd MMM MMMM", when), "Mo Montag M\xE4r M\xE4rz");
  EXPECT_EQ(format(nullptr, when, DATE_SHORTDATE), "05.03.2007");
  EXPECT_EQ(format(nullptr, when, DATE_LONGDATE), "Montag, 5 M\xE4rz 2007");
  char out[64];
  ASSERT_GT(GetDateFormatA(LOCALE_INVARIANT, 0, &when, "MMMM", out, 64), 0);
  EXPECT_STREQ(out, "March");
  qvtest::useCDateLocale();
  EXPECT_EQ(format("MMMM", when), "March");
}

TEST_F(GetDateFormatTest, PicturesFromTheLocaleDateFormat) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the stand-in reads the short date from the C library's locale");
#ifndef _WIN32
  using sim::detail::pictureFromStrftime;
  EXPECT_EQ(pictureFromStrftime("%m/%d/%y"), "MM/dd/yy");
  EXPECT_EQ(pictureFromStrftime("%d.%m.%Y"), "dd.MM.yyyy");
  EXPECT_EQ(pictureFromStrftime("%Y-%m-%d"), "yyyy-MM-dd");
  EXPECT_EQ(pictureFromStrftime("%-d/%-m/%Y"), "d/M/yyyy");
  EXPECT_EQ(pictureFromStrftime("%e %B %Y"), "d MMMM yyyy");
  EXPECT_EQ(pictureFromStrftime("%a %b %d"), "ddd MMM dd");
  EXPECT_EQ(pictureFromStrftime("%D"), "MM/dd/yy");
  EXPECT_EQ(pictureFromStrftime("%F"), "yyyy-MM-dd");
  EXPECT_EQ(pictureFromStrftime("%Ey/%Om/%Od"), "yy/MM/dd");
  EXPECT_EQ(pictureFromStrftime("%d de %B de %Y"), "dd 'de' MMMM 'de' yyyy");
  EXPECT_EQ(pictureFromStrftime("%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d"), "yyyy\xE5\xB9\xB4MM\xE6\x9C\x88"
                                                                   "dd");
  EXPECT_EQ(pictureFromStrftime("it's %d"), "'it''s' dd");
  EXPECT_EQ(pictureFromStrftime("%d%%%H:%M%"), "dd%:");
  // The rendered picture reads back as the text the locale would print.
  const SYSTEMTIME when = date(2033, 11, 22);
  EXPECT_EQ(format(pictureFromStrftime("%d de %B de %Y").c_str(), when), "22 de November de 2033");
  EXPECT_EQ(format(pictureFromStrftime("it's %d").c_str(), when), "it's 22");
#endif
}

} // namespace
