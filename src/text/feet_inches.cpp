// Feet, inches and sixteenths.
#include "text/feet_inches.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

namespace qv {

namespace {

struct SixteenthBand {
  double upper; // the band is (previous upper, upper]
  const char* text;
};

constexpr SixteenthBand kBands[] = {
    {0.09375, "1/16"},  {0.15625, "1/8"}, {0.21875, "3/16"},  {0.28125, "1/4"},
    {0.34375, "5/16"},  {0.40625, "3/8"}, {0.46875, "7/16"},  {0.53125, "1/2"},
    {0.59375, "9/16"},  {0.65625, "5/8"}, {0.71875, "11/16"}, {0.78125, "3/4"},
    {0.84375, "13/16"}, {0.90625, "7/8"}, {0.96875, "15/16"},
};

std::string printed(const char* format, double value) {
  char buffer[kQuantityTextMax];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

} // namespace

void FormatFeetInches(double feet, char* out) {
  out[0] = '\0';
  if (!std::isfinite(feet)) {
    return;
  }
  const double length = std::fabs(feet);
  double wholeFeet = std::floor(length);
  const double inches = (length - wholeFeet) * 12;
  double wholeInches = std::floor(inches);
  const double fraction = inches - wholeInches;

  const char* fractionText = nullptr;
  if (fraction > kBands[std::size(kBands) - 1].upper) {
    wholeInches += 1;
    if (wholeInches >= 12) {
      wholeInches = 0;
      wholeFeet += 1;
    }
  } else if (fraction > 0) {
    for (const SixteenthBand& band : kBands) {
      if (fraction <= band.upper) {
        fractionText = band.text;
        break;
      }
    }
  }

  const std::string f = printed("%.0f", wholeFeet);
  const std::string i = printed("%.0f", wholeInches);
  std::string text = feet < 0 ? "-" : "";
  if (f != "0") {
    text.append(f).append("'");
  }
  if (fractionText == nullptr) {
    text.append(i);
  } else if (i == "0") {
    text.append(fractionText);
  } else {
    text.append(i).append(" ").append(fractionText);
  }
  text.append("\"");
  std::memcpy(out, text.c_str(), text.size() + 1);
}

} // namespace qv
