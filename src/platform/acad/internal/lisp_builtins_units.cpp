// AutoLISP's conversions between numbers and the host's unit texts: distof reads a distance in a
// linear units mode, angtos prints an angle in an angular units mode.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"

namespace sim::detail {
namespace {

constexpr double kPi = 3.14159265358979323846;

int shortVariable(const char* name) {
  auto found = host().sysVars.find(name);
  return found == host().sysVars.end() ? 0 : found->second.shortValue;
}

double realVariable(const char* name) {
  auto found = host().sysVars.find(name);
  return found == host().sysVars.end() ? 0.0 : found->second.real;
}

// ---- distof

// Reads digits at *at; false when there are none.
bool readDigits(const std::string& text, size_t* at, double* value) {
  const size_t start = *at;
  double result = 0.0;
  while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
    result = result * 10.0 + (text[*at] - '0');
    ++*at;
  }
  *value = result;
  return *at > start;
}

// A decimal number without sign: "12", "12.5", ".5", "1.5E+01".
bool readDecimal(const std::string& text, size_t* at, double* value) {
  const char* begin = text.c_str() + *at;
  if (*begin != '.' && (*begin < '0' || *begin > '9')) {
    return false;
  }
  char* end = nullptr;
  *value = std::strtod(begin, &end);
  if (end == begin || std::isinf(*value) || std::isnan(*value)) {
    return false;
  }
  *at += static_cast<size_t>(end - begin);
  return true;
}

// "n/d" at *at.
bool readFraction(const std::string& text, size_t* at, double* value) {
  size_t here = *at;
  double numerator = 0.0, denominator = 0.0;
  if (!readDigits(text, &here, &numerator) || here >= text.size() || text[here] != '/') {
    return false;
  }
  ++here;
  if (!readDigits(text, &here, &denominator) || denominator == 0.0) {
    return false;
  }
  *at = here;
  *value = numerator / denominator;
  return true;
}

// A fractional or decimal amount: "17 1/2", "17-1/2", "1/2", "17", "17.5".
bool readAmount(const std::string& text, size_t* at, double* value) {
  size_t here = *at;
  if (readFraction(text, &here, value)) {
    *at = here;
    return true;
  }
  if (!readDecimal(text, &here, value)) {
    return false;
  }
  const bool whole = text.find_first_of(".eE", *at) >= here;
  if (whole && here < text.size() && (text[here] == ' ' || text[here] == '-')) {
    size_t after = here + 1;
    double fraction = 0.0;
    if (readFraction(text, &after, &fraction)) {
      *value += fraction;
      here = after;
    }
  }
  *at = here;
  return true;
}

// Feet and inches, "1'-5.50\"", "1'5-1/2\"", "2'", "17.5\"", "17.5" (inches); in inches.
bool readFeetInches(const std::string& text, size_t* at, double* value) {
  size_t here = *at;
  double feet = 0.0, inches = 0.0;
  size_t mark = here;
  if (readAmount(text, &mark, &feet) && mark < text.size() && text[mark] == '\'') {
    here = mark + 1;
    if (here < text.size() && text[here] == '-') {
      ++here;
    }
    if (here == text.size()) {
      *at = here;
      *value = feet * 12.0;
      return true;
    }
  } else {
    feet = 0.0;
  }
  if (!readAmount(text, &here, &inches)) {
    return false;
  }
  if (here < text.size() && text[here] == '"') {
    ++here;
  }
  *at = here;
  *value = feet * 12.0 + inches;
  return true;
}

LispRef distofSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  const std::string& text = needString(machine, args[0]);
  const int mode =
      args.size() == 2 && args[1] ? needInteger(machine, args[1]) : shortVariable("LUNITS");
  if (mode < 1 || mode > 5) {
    machine.fail("bad argument value: AutoCAD units mode " + std::to_string(mode));
  }
  size_t at = 0;
  const bool negative = !text.empty() && (text[0] == '-' || text[0] == '+');
  const double sign = !text.empty() && text[0] == '-' ? -1.0 : 1.0;
  at = negative ? 1 : 0;
  double value = 0.0;
  bool read = false;
  switch (mode) {
  case 1:
  case 2:
    read = readDecimal(text, &at, &value);
    break;
  case 3:
  case 4:
    read = readFeetInches(text, &at, &value);
    break;
  default:
    read = readAmount(text, &at, &value);
    break;
  }
  if (!read || at != text.size()) {
    return LispRef();
  }
  return makeReal(sign * value);
}

// ---- angtos

// Degrees, minutes and seconds: precision 0 gives "45d", 1 and 2 "45d30'", 3 and 4 "45d30'15\"",
// more gives seconds with precision - 4 decimals. The angle in degrees, not negative.
std::string degreesMinutesSeconds(double degrees, int precision) {
  char buffer[96];
  if (precision == 0) {
    std::snprintf(buffer, sizeof buffer, "%.0fd", std::round(degrees));
    return buffer;
  }
  if (precision <= 2) {
    const double minutes = std::round(degrees * 60.0);
    std::snprintf(buffer, sizeof buffer, "%.0fd%.0f'", std::floor(minutes / 60.0),
                  std::fmod(minutes, 60.0));
    return buffer;
  }
  const int decimals = precision > 4 ? precision - 4 : 0;
  const double unit = std::pow(10.0, decimals);
  const double seconds = std::round(degrees * 3600.0 * unit) / unit;
  const double wholeMinutes = std::floor(seconds / 60.0 + 1e-9);
  const double restSeconds = std::fabs(seconds - wholeMinutes * 60.0);
  std::snprintf(buffer, sizeof buffer, "%.0fd%.0f'%.*f\"", std::floor(wholeMinutes / 60.0),
                std::fmod(wholeMinutes, 60.0), decimals, restSeconds);
  return buffer;
}

// The seconds an angle in degrees rounds to at the precision of degreesMinutesSeconds.
double roundedSeconds(double degrees, int precision) {
  const double step = precision == 0 ? 3600.0 : precision <= 2 ? 60.0 : 1.0;
  const double unit = precision > 4 ? std::pow(10.0, precision - 4) : 1.0;
  return std::round(degrees * 3600.0 / step * unit) * step / unit;
}

// Surveyor's units: the bearing from north or south toward east or west, "N 45d0'0\" E";
// a bearing along an axis is the axis's letter alone.
std::string surveyorBearing(double degrees, int precision) {
  double azimuth = std::fmod(90.0 - degrees + 720.0, 360.0); // clockwise from north
  const char* from = "N";
  const char* toward = "E";
  double quadrant = azimuth;
  if (azimuth > 90.0 && azimuth <= 270.0) {
    from = "S";
    quadrant = std::fabs(180.0 - azimuth);
    toward = azimuth < 180.0 ? "E" : "W";
  } else if (azimuth > 270.0) {
    quadrant = 360.0 - azimuth;
    toward = "W";
  }
  const double seconds = roundedSeconds(quadrant, precision);
  if (seconds == 0.0) {
    return from;
  }
  if (seconds >= 90.0 * 3600.0) {
    return toward;
  }
  return std::string(from) + " " + degreesMinutesSeconds(quadrant, precision) + " " + toward;
}

LispRef angtosSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 3);
  double angle = needNumber(machine, args[0]);
  const int mode =
      args.size() >= 2 && args[1] ? needInteger(machine, args[1]) : shortVariable("AUNITS");
  const int precision =
      args.size() == 3 && args[2] ? needInteger(machine, args[2]) : shortVariable("AUPREC");
  if (mode < 0 || mode > 4) {
    machine.fail("bad argument value: AutoCAD angle units mode " + std::to_string(mode));
  }
  if (precision < 0 || precision > 8) {
    machine.fail("bad argument value: AutoCAD units precision " + std::to_string(precision));
  }
  // Angles are printed as the user measures them: from ANGBASE, clockwise when ANGDIR is 1.
  angle -= realVariable("ANGBASE");
  if (shortVariable("ANGDIR") == 1) {
    angle = -angle;
  }
  angle = std::fmod(angle, 2.0 * kPi);
  if (angle < 0.0) {
    angle += 2.0 * kPi;
  }
  const double degrees = angle * 180.0 / kPi;
  char buffer[96];
  switch (mode) {
  case 0:
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, degrees);
    return makeString(buffer);
  case 1:
    return makeString(degreesMinutesSeconds(degrees, precision));
  case 2:
    std::snprintf(buffer, sizeof buffer, "%.*fg", precision, angle * 200.0 / kPi);
    return makeString(buffer);
  case 3:
    std::snprintf(buffer, sizeof buffer, "%.*fr", precision, angle);
    return makeString(buffer);
  default:
    return makeString(surveyorBearing(degrees, precision));
  }
}

} // namespace

void defineUnitFunctions(LispMachine& machine) {
  machine.defineSubr("distof", distofSubr);
  machine.defineSubr("angtos", angtosSubr);
}

} // namespace sim::detail
