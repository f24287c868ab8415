// InsertThousandsSeparators.
#include "text/thousands.h"

#include <cstring>

namespace qv {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace

void InsertThousandsSeparators(char* text) {
  if (text == nullptr) {
    return;
  }
  size_t first = 0;
  while (text[first] != '\0' && !isDigit(text[first])) {
    ++first;
  }
  size_t end = first;
  while (isDigit(text[end])) {
    ++end;
  }
  const size_t digits = end - first;
  if (digits <= 3) {
    return;
  }
  const size_t commas = (digits - 1) / 3;
  const size_t length = std::strlen(text);
  // From the end of the text backwards: the tail after the run moves right by the number of
  // commas, then the digits move group by group, each group by the commas still to its left.
  std::memmove(text + end + commas, text + end, length - end + 1);
  size_t from = end;
  size_t to = end + commas;
  for (size_t placed = 0; placed < commas; ++placed) {
    from -= 3;
    to -= 3;
    std::memmove(text + to, text + from, 3);
    text[--to] = ',';
  }
  // The digits before the first comma are already in place.
  size_t spaces = 0;
  while (spaces < commas && text[spaces] == ' ') {
    ++spaces;
  }
  if (spaces > 0) {
    std::memmove(text, text + spaces, length + commas - spaces + 1);
  }
}

} // namespace qv
