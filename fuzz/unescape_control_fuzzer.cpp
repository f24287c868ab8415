// Fuzz target of UnescapeControl (and EscapeControl): any text. Unescaping never lengthens a text,
// works in place, and undoes EscapeControl.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "text/text.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data),
                         strnlen(reinterpret_cast<const char*>(data), size));
  // Buffers of exactly the documented sizes, so that the sanitizers see any write past them.
  std::string out(text.size() + 1, '\x7f');
  const int length = qv::UnescapeControl(text.c_str(), out.data());
  if (length < 0 || static_cast<size_t>(length) > text.size() ||
      std::strlen(out.c_str()) != static_cast<size_t>(length)) {
    fail("unescaping gave a wrong length");
  }
  std::string inPlace = text;
  qv::UnescapeControl(inPlace.data(), inPlace.data());
  if (std::strcmp(inPlace.c_str(), out.c_str()) != 0) {
    fail("unescaping in place differs");
  }
  std::string escaped(2 * text.size() + 1, '\x7f');
  qv::EscapeControl(text.c_str(), escaped.data());
  std::string back(escaped.size(), '\x7f');
  qv::UnescapeControl(escaped.c_str(), back.data());
  if (std::strcmp(back.c_str(), text.c_str()) != 0) {
    fail("unescaping did not undo escaping");
  }
  return 0;
}
