// Angles in degrees-minutes-seconds, quadrant bearings and the packed D.MMSS notation.
#include "text/angle_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <numbers>
#include <string>
#include <string_view>

#include "support/read_decimal.h"

namespace qv {

namespace {

// The marker of "no value"; packed angles this large are not split.
constexpr double kNoValue = 98765432.1;

constexpr char kDegreeSignText[] = {kDegreeSign, '\0'};

std::string printed(const char* format, double value) {
  char buffer[kQuantityTextMax];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string beforePoint(const std::string& text) {
  return text.substr(0, text.find('.'));
}

// Removes a "-" left by rounding (a remnant such as -0) and pads to two digits.
std::string twoDigits(std::string text) {
  if (!text.empty() && text[0] == '-') {
    text.erase(0, 1);
  }
  if (text.size() < 2) {
    text = std::string(2 - text.size(), '0').append(text);
  }
  return text;
}

// Joins texts by appending; also keeps GCC 12 from a false -Wrestrict on chains of operator+.
std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) {
    text.append(part);
  }
  return text;
}

void copyOut(const std::string& text, char* out) {
  std::memcpy(out, text.c_str(), text.size() + 1);
}

} // namespace

void FormatDms(double degrees, char* out, int secondsMode, int style) {
  out[0] = '\0';
  if (!std::isfinite(degrees)) {
    return;
  }
  const std::string sign = degrees < 0 ? "-" : "";
  const double value = std::fabs(degrees);

  std::string d = beforePoint(printed("%.12f", value));
  double wholeDegrees = readDecimal(d.c_str(), nullptr);
  std::string m = beforePoint(printed("%.10f", (value - wholeDegrees) * 60));
  double wholeMinutes = readDecimal(m.c_str(), nullptr);
  const std::string exactSeconds =
      printed("%.5f", (value - wholeDegrees - wholeMinutes / 60) * 3600);
  std::string s = beforePoint(exactSeconds);
  const std::string f = exactSeconds.substr(s.size() + 1);

  // The printed values can reach 60 by rounding; they carry upwards.
  const int wholeSeconds = std::atoi(s.c_str());
  if (wholeSeconds >= 60) {
    s = std::to_string(wholeSeconds - 60);
    wholeMinutes += 1;
    m = printed("%.0f", wholeMinutes);
  }
  if (wholeMinutes >= 60) {
    wholeMinutes -= 60;
    m = printed("%.0f", wholeMinutes);
    wholeDegrees += 1;
    d = printed("%.0f", wholeDegrees);
  }
  s = twoDigits(s);
  m = twoDigits(m);

  if (secondsMode == 0) {
    copyOut(style == 1 ? joined({sign, d, kDegreeSignText, m, "'", s, ".", f, "\""})
                       : joined({sign, d, ".", m, s, f}),
            out);
    return;
  }

  const char* format = secondsMode == -1 ? "%.1f" : secondsMode == -2 ? "%.2f" : "%.0f";
  const double threshold = secondsMode == -1 ? 59.95 : secondsMode == -2 ? 59.995 : 59.5;
  const double seconds = readDecimal(joined({s, ".", f}).c_str(), nullptr);
  std::string t = printed(format, seconds);
  // Besides the threshold, a value exactly on it can print as 60 (59.5 as "60"): carry that too.
  if (seconds > threshold || readDecimal(t.c_str(), nullptr) >= 60) {
    t = printed(format, 0.0);
    wholeMinutes += 1;
    if (wholeMinutes >= 60) {
      wholeMinutes -= 60;
      wholeDegrees += 1;
    }
  }
  if (readDecimal(t.c_str(), nullptr) < 10) {
    t = std::string("0").append(t);
  }
  const std::string dText = printed("%.0f", wholeDegrees);
  const std::string mText = twoDigits(printed("%.0f", wholeMinutes));
  if (style == 1) {
    copyOut(joined({sign, dText, kDegreeSignText, mText, "'", t, "\""}), out);
    return;
  }
  // Packed: the seconds' decimals continue the digits, so the text stays one D.MMSS number.
  std::string packedSeconds = t;
  const size_t point = packedSeconds.find('.');
  if (point != std::string::npos) {
    packedSeconds.erase(point, 1);
  }
  copyOut(joined({sign, dText, ".", mText, packedSeconds}), out);
}

int AzimuthToBearing(double azimuth, char* out) {
  out[0] = '\0';
  if (!std::isfinite(azimuth)) {
    return 0;
  }
  constexpr double pi = std::numbers::pi;
  constexpr double twoPi = 2 * pi;
  double a = azimuth;
  if (a < 0) {
    a += twoPi;
  }
  if (a > twoPi) {
    a -= twoPi;
  }
  // One turn added or taken off is not enough for azimuths of several turns.
  if (a < 0 || a > twoPi) {
    a = std::fmod(a, twoPi);
    if (a < 0) {
      a += twoPi;
    }
  }
  if (a == 0) {
    copyOut("0.0000", out);
    return 1;
  }
  if (a == pi) {
    copyOut("0.0000", out);
    return 2;
  }
  if (a == pi / 2) {
    copyOut("90.0000", out);
    return 1;
  }
  if (a == 3 * pi / 2) {
    copyOut("90.0000", out);
    return 3;
  }
  int quadrant = 4;
  double angle = twoPi - a;
  if (a < pi / 2) {
    quadrant = 1;
    angle = a;
  } else if (a < pi) {
    quadrant = 2;
    angle = pi - a;
  } else if (a < 3 * pi / 2) {
    quadrant = 3;
    angle = a - pi;
  }
  FormatDms(angle * 180 / pi, out, 1, 0);
  return quadrant;
}

void SplitDms(double dms, double& degrees, double& minutes, double& seconds) {
  degrees = 0;
  minutes = 0;
  seconds = 0;
  if (!(std::fabs(dms) < kNoValue)) {
    return;
  }
  const std::string text = printed("%.12f", std::fabs(dms));
  const size_t point = text.find('.');
  if (point == std::string::npos) {
    return;
  }
  const std::string decimals = text.substr(point + 1);
  degrees = readDecimal(text.substr(0, point).c_str(), nullptr);
  minutes = readDecimal(decimals.substr(0, 2).c_str(), nullptr);
  seconds = readDecimal(joined({decimals.substr(2, 2), ".", decimals.substr(4)}).c_str(), nullptr);
  if (dms < 0) {
    degrees = -degrees;
    minutes = -minutes;
    seconds = -seconds;
  }
}

double DmsToDegrees(double dms) {
  double degrees = 0;
  double minutes = 0;
  double seconds = 0;
  SplitDms(std::fabs(dms), degrees, minutes, seconds);
  const double value = degrees + minutes / 60 + seconds / 3600;
  return dms < 0 ? -value : value;
}

int IsValidDms(double dms) {
  if (!std::isfinite(dms) || dms > 360 || dms < -360) {
    return 0;
  }
  double degrees = 0;
  double minutes = 0;
  double seconds = 0;
  SplitDms(std::fabs(dms), degrees, minutes, seconds);
  return minutes > 60 || seconds > 60 ? 0 : 1;
}

} // namespace qv
