// acdbRToS: the host's texts of numbers in its five linear unit modes.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/acad/acdbads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

// The longest text made; beyond it a number is written in scientific form.
constexpr size_t kMaxText = 40;

int16_t shortVariable(const char* name, int16_t fallback) {
  const auto found = host().sysVars.find(name);
  return found != host().sysVars.end() ? found->second.shortValue : fallback;
}

// DIMZIN 8: no trailing zeros after the point (nor the point itself when none is left).
void dropTrailingZeros(std::string& text) {
  const size_t point = text.find('.');
  if (point == std::string::npos) {
    return;
  }
  size_t end = text.find_first_not_of("0123456789", point + 1);
  if (end == std::string::npos) {
    end = text.size();
  }
  size_t cut = end;
  while (cut > point + 1 && text[cut - 1] == '0') {
    --cut;
  }
  if (cut == point + 1) {
    --cut;
  }
  text.erase(cut, end - cut);
}

std::string decimalText(double value, int prec, int dimzin) {
  // Halves round away from zero, as the host's units do (0.125 to two places is 0.13).
  const double scale = std::pow(10.0, prec);
  const double rounded =
      std::fabs(value * scale) < 1e15 ? std::round(value * scale) / scale : value;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", prec, rounded);
  std::string text = buffer;
  if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') {
    text.erase(0, 1); // a value that rounds to zero has no sign
  }
  if ((dimzin & 8) != 0) {
    dropTrailingZeros(text);
  }
  const size_t digits = text[0] == '-' ? 1 : 0;
  if ((dimzin & 4) != 0 && text.compare(digits, 2, "0.") == 0) {
    text.erase(digits, 1);
  }
  return text;
}

std::string scientificText(double value, int prec, int dimzin) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*E", prec, value);
  std::string text = buffer;
  if ((dimzin & 8) != 0) {
    dropTrailingZeros(text);
  }
  return text;
}

// "n/d" in lowest terms, for 0 < n < d with d a power of two.
std::string fractionText(long long numerator, long long denominator) {
  while (numerator % 2 == 0 && denominator > 1) {
    numerator /= 2;
    denominator /= 2;
  }
  return std::to_string(numerator) + "/" + std::to_string(denominator);
}

// A whole part and a fraction: "17 1/2" ("17-1/2" with UNITMODE 1), "17", "1/2".
std::string wholeAndFraction(long long whole, long long numerator, long long denominator,
                             bool joined, bool keepZeroWhole) {
  if (numerator == 0) {
    return std::to_string(whole);
  }
  const std::string fraction = fractionText(numerator, denominator);
  if (whole == 0 && !keepZeroWhole) {
    return fraction;
  }
  return std::to_string(whole) + (joined ? "-" : " ") + fraction;
}

// Feet and inches (unit 3 decimal inches, unit 4 fractional inches), zeros shown as DIMZIN's
// low bits say: 0 leaves out zero feet and exactly zero inches, 1 keeps both, 2 keeps zero feet,
// 3 keeps zero inches.
std::string feetInchesText(double value, int unit, int prec, int dimzin, bool joined) {
  const double magnitude = std::fabs(value);
  const long long steps = unit == 3 ? static_cast<long long>(std::pow(10, prec)) : 1LL << prec;
  const long long units = std::llround(magnitude * static_cast<double>(steps));
  const long long feet = units / (12 * steps);
  const long long rest = units % (12 * steps);
  const int zeros = dimzin & 3;
  const bool showFeet = feet != 0 || zeros == 1 || zeros == 2;
  const bool showInches = rest != 0 || zeros == 1 || zeros == 3 || !showFeet;
  std::string inches;
  if (unit == 3) {
    inches = decimalText(static_cast<double>(rest) / static_cast<double>(steps), prec, dimzin & 8);
  } else {
    inches = wholeAndFraction(rest / steps, rest % steps, steps, joined, showFeet);
  }
  std::string text = units != 0 && value < 0 ? "-" : "";
  if (showFeet) {
    text += std::to_string(feet) + "'";
  }
  if (showFeet && showInches && !joined) {
    text += "-";
  }
  if (showInches) {
    text += inches + "\"";
  }
  return text;
}

std::string fractionalText(double value, int prec, bool joined) {
  const long long steps = 1LL << prec;
  const long long units = std::llround(std::fabs(value) * static_cast<double>(steps));
  const std::string sign = units != 0 && value < 0 ? "-" : "";
  return sign + wholeAndFraction(units / steps, units % steps, steps, joined, false);
}

} // namespace

int acdbRToS(ads_real val, int unit, int prec, char* str) {
  if (shouldFail(FailableCall::acdbRToS)) {
    return RTERROR;
  }
  if (unit == -1) {
    unit = shortVariable("LUNITS", 2);
  }
  if (prec == -1) {
    prec = shortVariable("LUPREC", 4);
  }
  if (str == nullptr || unit < 1 || unit > 5 || prec < 0 || prec > 8 || !std::isfinite(val)) {
    return RTERROR;
  }
  const int dimzin = shortVariable("DIMZIN", 0);
  const bool joined = shortVariable("UNITMODE", 0) == 1;
  std::string text;
  // Beyond about 1e15 the whole units no longer fit the integer steps of the feet-inch and
  // fraction forms, and decimal texts pass the length the host writes.
  if (unit == 1 || std::fabs(val) >= 1e15) {
    text = scientificText(val, prec, dimzin);
  } else if (unit == 2) {
    text = decimalText(val, prec, dimzin);
  } else if (unit == 5) {
    text = fractionalText(val, prec, joined);
  } else {
    text = feetInchesText(val, unit, prec, dimzin, joined);
  }
  if (text.size() > kMaxText) {
    text = scientificText(val, prec, dimzin);
  }
  std::memcpy(str, text.c_str(), text.size() + 1);
  return RTNORM;
}
