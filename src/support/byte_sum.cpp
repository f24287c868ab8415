// The byte sum of a text.
#include "support/byte_sum.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace qv {

int byteSumText(char* text) {
  return text == nullptr ? 0 : byteSumText(text, std::strlen(text) + 1);
}

int byteSumText(char* text, size_t capacity) {
  if (text == nullptr || capacity == 0) {
    return 0;
  }
  uint64_t sum = 0;
  for (const char* at = text; *at != '\0'; ++at) {
    sum += static_cast<unsigned char>(*at);
  }
  char digits[24];
  const int length =
      std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(sum));
  if (static_cast<size_t>(length) + 1 > capacity) {
    return 0;
  }
  std::memcpy(text, digits, static_cast<size_t>(length) + 1);
  return 1;
}

} // namespace qv
