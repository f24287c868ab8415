// Fuzz target of XmlUnescape (and XmlEscape): any text. Escaping must give what the documented
// sequence of whole-text replacements gives, unescaping what a plain left-to-right reading of the
// entities, character references and "\n" gives; unescaping never lengthens a text, and escaping
// then unescaping gives any text back.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/sim.h"
#include "text/text.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  __builtin_trap();
}

std::string bySequence(const std::string& text, const char* const (*pairs)[2], size_t count) {
  qv::msString s(text.c_str());
  for (size_t i = 0; i < count; ++i) {
    qv::ReplaceAll(s, pairs[i][0], pairs[i][1]);
  }
  return std::string(s);
}

const char* const kEscapes[][2] = {{"&", "&amp;"},   {">", "&gt;"},   {"<", "&lt;"},
                                   {"\"", "&quot;"}, {"'", "&apos;"}, {"\\n", "&#92;n"},
                                   {"\r\n", "\\n"}};

// The character of a reference "&#...;" or "&#x...;" of 1 to 255 at text[at], with its length.
bool reference(const std::string& text, size_t at, char& c, size_t& length) {
  if (text.compare(at, 2, "&#") != 0) {
    return false;
  }
  const bool hex = at + 2 < text.size() && (text[at + 2] == 'x' || text[at + 2] == 'X');
  const size_t digits = at + (hex ? 3 : 2);
  const size_t end = text.find(';', digits);
  if (end == std::string::npos || end == digits) {
    return false;
  }
  const std::string number = text.substr(digits, end - digits);
  if (number.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
      std::string::npos) {
    return false;
  }
  const size_t first = number.find_first_not_of('0');
  if (first == std::string::npos || number.size() - first > 3) {
    return false; // zero, or beyond 255 whatever the base
  }
  const unsigned long value = std::stoul(number.substr(first), nullptr, hex ? 16 : 10);
  if (value > 255) {
    return false;
  }
  c = static_cast<char>(value);
  length = end + 1 - at;
  return true;
}

std::string unescapedByReading(const std::string& text) {
  static const char* const entities[][2] = {{"&gt;", ">"},   {"&lt;", "<"},  {"&quot;", "\""},
                                            {"&apos;", "'"}, {"&amp;", "&"}, {"\\n", "\r\n"}};
  std::string out;
  for (size_t at = 0; at < text.size();) {
    bool taken = false;
    for (const auto& entity : entities) {
      const size_t length = std::strlen(entity[0]);
      if (text.compare(at, length, entity[0]) == 0) {
        out += entity[1];
        at += length;
        taken = true;
        break;
      }
    }
    char c = 0;
    size_t length = 0;
    if (!taken && reference(text, at, c, length)) {
      out += c;
      at += length;
      taken = true;
    }
    if (!taken) {
      out += text[at++];
    }
  }
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int64_t blocksBefore = sim::liveBlocks();
  {
    // The text up to the first NUL, as every caller holds it.
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    qv::msString unescaped(text.c_str());
    qv::XmlUnescape(unescaped);
    if (static_cast<size_t>(unescaped.GetLength()) > text.size()) {
      fail("unescaping lengthened the text");
    }
    if (std::string(unescaped) != unescapedByReading(text)) {
      fail("unescaping differs from reading the text left to right");
    }
    qv::msString escaped(text.c_str());
    if (qv::XmlEscape(escaped) != 1) {
      fail("escaping failed");
    }
    if (std::string(escaped) != bySequence(text, kEscapes, 7)) {
      fail("escaping differs from the sequence of replacements");
    }
    qv::msString range;
    qv::XmlUnescape(text.c_str(), text.size(), range);
    if (std::string(range) != std::string(unescaped)) {
      fail("unescaping a range differs");
    }
    qv::XmlUnescape(escaped);
    if (std::string(escaped) != text) {
      fail("escaping then unescaping changed the text");
    }
  }
  if (sim::liveBlocks() != blocksBefore) {
    fail("host blocks leaked");
  }
  return 0;
}
