// Fuzz target of XmlUnescape (and XmlEscape): any text. The one-pass forms must give what the
// documented sequence of whole-text replacements gives, unescaping never lengthens a text, and
// escaping then unescaping gives the text back when it holds no backslash followed by n.
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

const char* const kUnescapes[][2] = {{"&gt;", ">"},   {"&lt;", "<"},  {"&quot;", "\""},
                                     {"&apos;", "'"}, {"&amp;", "&"}, {"\\n", "\r\n"}};
const char* const kEscapes[][2] = {{"&", "&amp;"},   {">", "&gt;"},   {"<", "&lt;"},
                                   {"\"", "&quot;"}, {"'", "&apos;"}, {"\r\n", "\\n"}};

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
    if (std::string(unescaped) != bySequence(text, kUnescapes, 6)) {
      fail("unescaping differs from the sequence of replacements");
    }
    qv::msString escaped(text.c_str());
    if (qv::XmlEscape(escaped) != 1) {
      fail("escaping failed");
    }
    if (std::string(escaped) != bySequence(text, kEscapes, 6)) {
      fail("escaping differs from the sequence of replacements");
    }
    qv::msString range;
    qv::XmlUnescape(text.c_str(), text.size(), range);
    if (std::string(range) != std::string(unescaped)) {
      fail("unescaping a range differs");
    }
    if (text.find("\\n") == std::string::npos) {
      qv::XmlUnescape(escaped);
      if (std::string(escaped) != text) {
        fail("escaping then unescaping changed the text");
      }
    }
  }
  if (sim::liveBlocks() != blocksBefore) {
    fail("host blocks leaked");
  }
  return 0;
}
