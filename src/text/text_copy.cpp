// ReplaceWithCopy and AppendCopy.
#include "text/text_copy.h"

#include <cstring>

#include "platform/acad/acutads.h"

namespace qv {

char* ReplaceWithCopy(char* old, const char* text) {
  char* copy = acad_strdup(text == nullptr ? "" : text);
  acad_free(old);
  return copy;
}

char* AppendCopy(char* a, const char* b) {
  if (b == nullptr) {
    b = "";
  }
  const size_t aLength = a == nullptr ? 0 : std::strlen(a);
  const size_t bLength = std::strlen(b);
  char* joined = static_cast<char*>(acad_malloc(aLength + bLength + 1));
  if (joined != nullptr) {
    if (aLength > 0) {
      std::memcpy(joined, a, aLength);
    }
    std::memcpy(joined + aLength, b, bLength + 1);
  }
  acad_free(a);
  return joined;
}

} // namespace qv
