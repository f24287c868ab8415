// IsPlainText and IsTextFile.
#include "text/plain_text.h"

#include <cstdio>

#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"

namespace qv {

namespace {

// The file test reads this many blocks of this size.
constexpr int kBlocks = 100;
constexpr size_t kBlockSize = 122;

bool isPlain(unsigned char c) {
  return (c >= 32 && c <= 126) || c == '\n' || c == '\t' || c == '\r';
}

} // namespace

int IsPlainText(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
    if (!isPlain(*p)) {
      return 0;
    }
  }
  return 1;
}

int IsTextFile(const char* path) {
  FILE* file = _fsopen(path, "rb", _SH_DENYNO);
  if (file == nullptr) {
    return 0;
  }
  int plain = 1;
  unsigned char block[kBlockSize];
  for (int i = 0; i < kBlocks && plain == 1; ++i) {
    const size_t count = std::fread(block, 1, sizeof block, file);
    for (size_t j = 0; j < count; ++j) {
      if (block[j] != 0 && !isPlain(block[j])) {
        plain = 0;
        break;
      }
    }
    if (count < sizeof block) {
      if (std::ferror(file) != 0) {
        plain = 0;
      }
      break;
    }
  }
  std::fclose(file);
  return plain;
}

} // namespace qv
