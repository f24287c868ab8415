// The time of day in universal time and the hundredths between two times, across midnight too.
#include "support/time_of_day.h"

#include <chrono>
#include <cmath>

#include "testing/host_test.h"

namespace {

class TimeOfDayTest : public qvtest::HostTest {};

TEST_F(TimeOfDayTest, CountsHundredthsWithMinuteBeforeHourAndAcrossMidnight) {
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(59, 23, 59, 50.0, 0, 0, 0, 25.0), 75.0);
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(30, 12, 15, 42.5, 30, 12, 15, 42.5), 0.0);
  // 10:00:00.00 to 10:01:30.50; a swap of minute and hour would give hours, not 90.5 s.
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(0, 10, 0, 0.0, 1, 10, 30, 50.0), 9050.0);
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(qv::TimeOfDay{59, 23, 59, 50.0}, {0, 0, 0, 25.0}), 75.0);
}

TEST_F(TimeOfDayTest, ReadsTheSystemClockInUniversalTime) {
  using namespace std::chrono;
  const auto before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  qv::TimeOfDay now;
  qv::timeOfDay(now);
  EXPECT_TRUE(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60 &&
              now.second >= 0 && now.second < 60);
  EXPECT_GE(now.hundredths, 0.0);
  EXPECT_LT(now.hundredths, 100.0);
  EXPECT_EQ(now.hundredths, std::floor(now.hundredths * 10) / 10); // whole milliseconds
  const long long dayMs = before % 86400000;
  qv::TimeOfDay then{static_cast<int32_t>(dayMs / 60000 % 60),
                     static_cast<int32_t>(dayMs / 3600000), static_cast<int32_t>(dayMs / 1000 % 60),
                     (dayMs % 1000) / 10.0};
  // The read came after `before`, within a few seconds even on a loaded machine.
  EXPECT_LT(qv::hundredthsBetween(then, now), 500.0);
}

} // namespace
