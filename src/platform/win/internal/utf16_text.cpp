#include "platform/win/internal/utf16_text.h"

#include <cstdint>

namespace sim::detail {

namespace {

void appendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void appendUnit(std::string& out, uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// The code point that starts at text[i] and its length; a byte that starts no valid sequence
// is one Latin-1 character.
uint32_t decodeUtf8(std::string_view text, size_t i, size_t* length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t extra = 0;
  uint32_t code = lead;
  uint32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07, least = 0x10000;
  }
  if (extra == 0 || i + extra >= text.size()) {
    *length = 1;
    return lead;
  }
  for (size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      *length = 1;
      return lead;
    }
    code = (code << 6) | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF) {
    *length = 1;
    return lead;
  }
  *length = extra + 1;
  return code;
}

} // namespace

std::string utf16leToUtf8(std::string_view utf16le) {
  std::string out;
  size_t i = 0;
  auto unitAt = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(utf16le[at])) |
           (static_cast<uint32_t>(static_cast<unsigned char>(utf16le[at + 1])) << 8);
  };
  while (i + 1 < utf16le.size()) {
    uint32_t unit = unitAt(i);
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16le.size()) {
      const uint32_t low = unitAt(i);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    appendUtf8(out, unit);
  }
  if (i < utf16le.size()) {
    out += utf16le[i]; // an odd last byte stays as it is
  }
  return out;
}

std::string utf8ToUtf16le(std::string_view utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = 1;
    const uint32_t code = decodeUtf8(utf8, i, &length);
    i += length;
    if (code >= 0x10000) {
      appendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
      appendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      appendUnit(out, code);
    }
  }
  return out;
}

} // namespace sim::detail
