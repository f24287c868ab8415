// The survey quantities and dates as AutoLISP functions: angles, bearings, stations, feet and
// inches, and dates in the user's picture.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "text/angle_format.h"
#include "text/date_format.h"
#include "text/feet_inches.h"
#include "text/station_format.h"

namespace qv {

int lispAngle() {
  LispArgs args;
  double degrees = 0;
  int secondsMode = 1; // whole seconds
  int style = 1;       // 12°30'00"
  if (!args.real(degrees) || !args.optionalInteger(secondsMode) || !args.optionalInteger(style) ||
      !args.done()) {
    return acedRetNil();
  }
  char text[kQuantityTextMax];
  FormatDms(degrees, text, secondsMode, style);
  return text[0] != '\0' ? acedRetStr(text) : acedRetNil();
}

int lispDegrees() {
  LispArgs args;
  double dms = 0;
  if (!args.real(dms) || !args.done() || !IsValidDms(dms)) {
    return acedRetNil();
  }
  return acedRetReal(DmsToDegrees(dms));
}

int lispBearing() {
  LispArgs args;
  double azimuth = 0;
  if (!args.real(azimuth) || !args.done()) {
    return acedRetNil();
  }
  char text[kQuantityTextMax];
  const int quadrant = AzimuthToBearing(azimuth, text);
  if (quadrant == 0) {
    return acedRetNil();
  }
  LispResult result;
  result.open();
  result.integer(quadrant);
  result.text(text);
  result.close();
  return result.answer();
}

namespace {

// A number as the plain text FormatStation rewrites: an integer as it is, a real with up to ten
// decimals and no trailing zeros. Empty for a value that is not finite.
std::string plainNumber(const resbuf* value) {
  char text[400];
  if (value->restype == RTSHORT) {
    std::snprintf(text, sizeof text, "%d", value->resval.rint);
  } else if (value->restype == RTLONG) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value->resval.rlong));
  } else if (!std::isfinite(value->resval.rreal)) {
    return "";
  } else {
    std::snprintf(text, sizeof text, "%.10f", value->resval.rreal);
    char* end = text + std::strlen(text);
    while (end[-1] == '0') {
      *--end = '\0';
    }
    if (end[-1] == '.') {
      end[-1] = '\0';
    }
  }
  return text;
}

} // namespace

int lispStation() {
  LispArgs args;
  const resbuf* value = nullptr;
  const char* style = "0";
  char styleDigits[16];
  double interval = 0;
  if (!args.any(value)) {
    return acedRetNil();
  }
  const bool number =
      value->restype == RTSHORT || value->restype == RTLONG || value->restype == RTREAL;
  if (!number && value->restype != RTSTR) {
    args.refuse("stringp", value);
  }
  if (!args.optionalTextOrInteger(style, styleDigits) || !args.optionalReal(interval) ||
      !args.done()) {
    return acedRetNil();
  }
  const std::string plain = number ? plainNumber(value) : std::string(value->resval.rstring);
  // Room for what FormatStation may add, in every style and interval.
  std::string station(plain.size() + kQuantityTextMax + 1, '\0');
  std::memcpy(station.data(), plain.c_str(), plain.size() + 1);
  FormatStation(station.data(), style, interval);
  return acedRetStr(station.c_str());
}

int lispStationValue() {
  LispArgs args;
  const char* text = nullptr;
  if (!args.text(text) || !args.done()) {
    return acedRetNil();
  }
  return acedRetReal(StationToNumber(text));
}

int lispFeetInches() {
  LispArgs args;
  double feet = 0;
  if (!args.real(feet) || !args.done()) {
    return acedRetNil();
  }
  char text[kQuantityTextMax];
  FormatFeetInches(feet, text);
  return text[0] != '\0' ? acedRetStr(text) : acedRetNil();
}

int lispDate() {
  LispArgs args;
  int day = 0;
  int month = 0;
  int year = 0;
  const char* picture = nullptr;
  if (!args.integer(day) || !args.integer(month) || !args.integer(year) ||
      !args.optionalText(picture) || !args.done()) {
    return acedRetNil();
  }
  char text[kDateTextSize];
  const bool fits = day >= 0 && day <= 0xFFFF && month >= 0 && month <= 0xFFFF;
  if (!fits ||
      !FormatDate(static_cast<uint16_t>(day), static_cast<uint16_t>(month), year, picture, text)) {
    return acedRetNil();
  }
  return acedRetStr(text);
}

int lispDateParse() {
  LispArgs args;
  const char* text = nullptr;
  const char* picture = nullptr;
  if (!args.text(text) || !args.optionalText(picture) || !args.done()) {
    return acedRetNil();
  }
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  if (!ParseDate(picture, text, day, month, year)) {
    return acedRetNil();
  }
  LispResult result;
  result.open();
  result.integer(day);
  result.integer(month);
  result.integer(year);
  result.close();
  return result.answer();
}

} // namespace qv
