// Fuzzes reading and printing dates: ParseDate and FormatDate with any picture, date text and
// "qvan_date_format" layout.
// Input: a control byte (bit 0: use the selected picture; bits 1-4: the layout number), day,
// month, two year bytes, then the picture, a newline, and the date text.
#include <cstdint>
#include <cstring>
#include <string>

#include "host/lisp_symbols.h"
#include "platform/sim.h"
#include "text/date_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) {
    return 0;
  }
  sim::reset();
  const uint8_t control = data[0];
  const uint16_t day = data[1];
  const uint16_t month = data[2];
  const int year = static_cast<int16_t>(data[3] | (data[4] << 8));
  const std::string rest(reinterpret_cast<const char*>(data + 5), size - 5);
  const size_t newline = rest.find('\n');
  const std::string picture = rest.substr(0, newline).c_str(); // up to a NUL, as C text
  const std::string text =
      newline == std::string::npos ? std::string() : rest.substr(newline + 1).c_str();

  qv::setLispShort("qvan_date_format", static_cast<int16_t>((control >> 1) & 0x0F));
  if ((control & 0x20) != 0) {
    qv::setLispString("qvan_date_format", picture.c_str());
  }
  const char* chosen = (control & 1) != 0 ? nullptr : picture.c_str();

  int32_t d = 0;
  int32_t m = 0;
  int32_t y = 0;
  const int parsed = qv::ParseDate(chosen, text.c_str(), d, m, y);
  if (parsed == 1 && (d < 1 || d > 31 || m < 1 || m > 12 || y < 0)) {
    __builtin_trap(); // a parsed date is always in range
  }
  qv::IsDateText(text.c_str());

  char out[qv::kDateTextSize];
  if (qv::FormatDate(day, month, year, chosen, out) == 1 && std::strlen(out) >= 255) {
    __builtin_trap(); // never longer than the system's 255 characters
  }
  qv::GetDatePattern(out);
  return 0;
}
