// Fuzzes the survey-quantity formatters with any double and any station text: every output must
// fit the documented buffer, and nothing may hang or read outside its input.
// Input: a style byte, a seconds-mode byte, eight bytes of a double, then the station text.
#include <cstdint>
#include <cstring>
#include <string>

#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 10) {
    return 0;
  }
  const char style[2] = {static_cast<char>(data[0]), '\0'};
  const int mode = static_cast<int8_t>(data[1]);
  double value = 0;
  std::memcpy(&value, data + 2, sizeof value);
  const std::string station(reinterpret_cast<const char*>(data + 10), size - 10);

  char out[qv::kQuantityTextMax];
  qv::FormatDms(value, out, mode, data[0] & 1);
  if (std::strlen(out) >= qv::kQuantityTextMax) {
    __builtin_trap();
  }
  qv::AzimuthToBearing(value, out);
  qv::FormatFeetInches(value, out);
  qv::FormatDecimals(out, value, mode);
  double d = 0;
  double m = 0;
  double s = 0;
  qv::SplitDms(value, d, m, s);
  qv::DmsToDegrees(value);
  qv::IsValidDms(value);
  const double vector[2] = {value, static_cast<double>(mode)};
  double perpendicular[2];
  qv::PerpendicularDirection(vector, perpendicular);

  // The station buffer holds the text plus the longest growth a tiny interval can cause; the
  // result must stay within the documented growth.
  std::string buffer(station.c_str());
  const size_t inputLength = buffer.size();
  buffer.resize(inputLength + qv::kQuantityTextMax, '\0');
  qv::StationToNumber(buffer.c_str());
  qv::FormatStation(buffer.data(), style, value);
  const bool tinyInterval = style[0] == '2' && value > 0 && value < 1;
  const size_t room = tinyInterval ? qv::kQuantityTextMax - 1 : qv::kStationGrowthMax;
  if (std::strlen(buffer.c_str()) > inputLength + room) {
    __builtin_trap();
  }
  return 0;
}
