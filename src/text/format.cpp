// The formatter: walks the format itself, reads each argument with its own type and lets SQLite
// print one conversion at a time into a host-allocated result that starts on the stack.
#include "text/format.h"

#include <cstdint>
#include <cstring>

#include <sqlite3.h>

#include "platform/acad/acutads.h"

namespace qv {

namespace {

// Results stay below this, so that "n" and the callers' int lengths can hold any length.
constexpr size_t kMaxResult = INT32_MAX;
// A rebuilt conversion: "%", five flags, two numbers of up to ten digits, ".", "ll", the letter.
constexpr size_t kSpecSize = 40;

// The result being built: first in a working buffer on the stack, then in a host block grown with
// acad_realloc. After a failed growth it only counts what would have been written.
class Output {
public:
  Output() : data_(local_), capacity_(sizeof local_) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output() {
    if (data_ != local_) {
      acad_free(data_);
    }
  }

  size_t length() const { return length_; }
  bool failed() const { return failed_; }
  void fail() { failed_ = true; }

  void append(const char* text, size_t count) {
    if (failed_ || count == 0) {
      return;
    }
    if (count >= kMaxResult - length_) {
      failed_ = true;
      return;
    }
    if (length_ + count + 1 > capacity_ && !grow(length_ + count + 1)) {
      failed_ = true;
      return;
    }
    std::memcpy(data_ + length_, text, count);
    length_ += count;
  }

  void appendRepeated(char c, size_t count) {
    char chunk[64];
    std::memset(chunk, c, sizeof chunk);
    while (count > 0 && !failed_) {
      const size_t part = count < sizeof chunk ? count : sizeof chunk;
      append(chunk, part);
      count -= part;
    }
  }

  // Hands the text over in a host block of its own, sized to it; null after a failure.
  char* finish() {
    if (failed_) {
      return nullptr;
    }
    char* result = nullptr;
    if (data_ == local_) {
      result = static_cast<char*>(acad_malloc(length_ + 1));
      if (result == nullptr) {
        return nullptr;
      }
      std::memcpy(result, local_, length_);
    } else {
      result = data_;
      if (capacity_ - (length_ + 1) > 10) {
        // A failed shrink keeps the larger block, which is still whole.
        void* shrunk = acad_realloc(data_, length_ + 1);
        if (shrunk != nullptr) {
          result = static_cast<char*>(shrunk);
        }
      }
      data_ = local_;
    }
    result[length_] = '\0';
    return result;
  }

private:
  bool grow(size_t needed) {
    size_t capacity = capacity_ * 2;
    if (capacity < needed) {
      capacity = needed;
    }
    if (data_ == local_) {
      char* block = static_cast<char*>(acad_malloc(capacity));
      if (block == nullptr) {
        return false;
      }
      std::memcpy(block, local_, length_);
      data_ = block;
    } else {
      char* block = static_cast<char*>(acad_realloc(data_, capacity));
      if (block == nullptr) {
        return false;
      }
      data_ = block;
    }
    capacity_ = capacity;
    return true;
  }

  char local_[256];
  char* data_;
  size_t capacity_;
  size_t length_ = 0;
  bool failed_ = false;
};

// One conversion as written in the format, with "*" already replaced by the argument's value.
struct Conversion {
  char flags[8] = {};
  int flagCount = 0;
  int width = -1;
  int precision = -1;
  int size = 0; // 0 none, 1 "l", 2 "ll"
  char letter = '\0';

  bool has(char flag) const { return std::memchr(flags, flag, flagCount) != nullptr; }
  void addFlag(char flag) {
    if (!has(flag) && flagCount < static_cast<int>(sizeof flags) - 1) {
      flags[flagCount++] = flag;
    }
  }
  bool plain() const { return flagCount == 0 && width < 0 && precision < 0; }

  // The conversion rebuilt for SQLite with the given letter; integer conversions (longLong) take
  // their argument as a long long.
  void spec(char* out, char as, bool longLong) const {
    *out++ = '%';
    for (int i = 0; i < flagCount; ++i) {
      *out++ = flags[i];
    }
    if (width >= 0) {
      out = writeNumber(out, width);
    }
    if (precision >= 0) {
      *out++ = '.';
      out = writeNumber(out, precision);
    }
    if (longLong) {
      *out++ = 'l';
      *out++ = 'l';
    }
    *out++ = as;
    *out = '\0';
  }

  static char* writeNumber(char* out, int value) {
    char digits[12];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value > 0);
    while (count > 0) {
      *out++ = digits[--count];
    }
    return out;
  }
};

// Digits of a width or precision written in the format, kept within int.
int readNumber(const char*& p) {
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < INT32_MAX) {
      value = value * 10 + (*p - '0');
    }
    ++p;
  }
  return value > INT32_MAX ? INT32_MAX : static_cast<int>(value);
}

// Prints one conversion with SQLite. SQLite's fixed-size printing prints nothing at all for a
// piece that needs more room than the buffer, so the caller gives an upper bound of the piece's
// length: pieces that may not fit the stack buffer go through SQLite's own allocation.
template <class... Args>
void printPiece(Output& out, size_t bound, const char* spec, Args... args) {
  if (out.failed()) {
    return;
  }
  char piece[512];
  if (bound < sizeof piece) {
    sqlite3_snprintf(sizeof piece, piece, spec, args...);
    out.append(piece, std::strlen(piece));
    return;
  }
  char* whole = sqlite3_mprintf(spec, args...);
  if (whole == nullptr) {
    out.fail();
    return;
  }
  out.append(whole, std::strlen(whole));
  sqlite3_free(whole);
}

// An upper bound of a piece's length beside its own content: the padding and digits of the
// precision, and room for signs, prefixes and exponents.
size_t padBound(const Conversion& conversion) {
  return static_cast<size_t>(conversion.width > 0 ? conversion.width : 0) +
         static_cast<size_t>(conversion.precision > 0 ? conversion.precision : 0) + 32;
}

// The length of the text that a conversion reads: up to the precision, when one is given.
size_t readLength(const Conversion& conversion, const char* text) {
  if (text == nullptr) {
    return 8;
  }
  const size_t limit = conversion.precision >= 0 ? static_cast<size_t>(conversion.precision)
                                                 : static_cast<size_t>(-1);
  size_t length = 0;
  while (length < limit && text[length] != '\0') {
    ++length;
  }
  return length;
}

// The character conversion is done here: SQLite writes bytes from 128 on as UTF-8, while these
// texts are 8-bit.
void printCharacter(Output& out, const Conversion& conversion, char c) {
  const size_t count = conversion.precision > 1 ? static_cast<size_t>(conversion.precision) : 1;
  const size_t width = conversion.width > 0 ? static_cast<size_t>(conversion.width) : 0;
  const size_t padding = width > count ? width - count : 0;
  const bool left = conversion.has('-');
  if (!left) {
    out.appendRepeated(' ', padding);
  }
  out.appendRepeated(c, count);
  if (left) {
    out.appendRepeated(' ', padding);
  }
}

void printText(Output& out, const Conversion& conversion, const char* text) {
  if (conversion.plain()) {
    if (text != nullptr) {
      out.append(text, std::strlen(text));
    }
    return;
  }
  char spec[kSpecSize];
  conversion.spec(spec, 's', false);
  printPiece(out, padBound(conversion) + readLength(conversion, text), spec, text);
}

// The digits of a plain "%d", "%i" or "%u" (no flag, width or precision), the commonest
// conversion: written here, without rebuilding the conversion for SQLite and printing it there.
void appendDecimal(Output& out, unsigned long long magnitude, bool negative) {
  char digits[24];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) {
    *--first = '-';
  }
  out.append(first, static_cast<size_t>(end - first));
}

// Integers are read at the conversion's size and printed from a long long, sign-extended for the
// signed conversions and zero-extended for the others.
void printSigned(Output& out, const Conversion& conversion, va_list& args) {
  const long long value = conversion.size == 2   ? va_arg(args, long long)
                          : conversion.size == 1 ? va_arg(args, long)
                                                 : va_arg(args, int);
  if (conversion.plain()) {
    appendDecimal(out,
                  value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                            : static_cast<unsigned long long>(value),
                  value < 0);
    return;
  }
  char spec[kSpecSize];
  conversion.spec(spec, conversion.letter, true);
  printPiece(out, padBound(conversion), spec, value);
}

void printUnsigned(Output& out, const Conversion& conversion, va_list& args) {
  const unsigned long long value = conversion.size == 2   ? va_arg(args, unsigned long long)
                                   : conversion.size == 1 ? va_arg(args, unsigned long)
                                                          : va_arg(args, unsigned int);
  if (conversion.plain() && conversion.letter == 'u') {
    appendDecimal(out, value, false);
    return;
  }
  char spec[kSpecSize];
  conversion.spec(spec, conversion.letter, true);
  printPiece(out, padBound(conversion), spec, value);
}

void storeCount(const Output& out, const Conversion& conversion, va_list& args) {
  const size_t written = out.length();
  if (conversion.size == 2) {
    if (long long* target = va_arg(args, long long*)) {
      *target = static_cast<long long>(written);
    }
  } else if (conversion.size == 1) {
    if (long* target = va_arg(args, long*)) {
      *target = static_cast<long>(written);
    }
  } else if (int* target = va_arg(args, int*)) {
    *target = static_cast<int>(written);
  }
}

// Reads one conversion after its "%" (p on the first character after it). False when the format
// ends inside it.
bool readConversion(const char*& p, va_list& args, Conversion& conversion) {
  while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) {
    conversion.addFlag(*p++);
  }
  if (*p == '*') {
    ++p;
    int width = va_arg(args, int);
    if (width < 0) {
      conversion.addFlag('-');
      width = width == INT32_MIN ? INT32_MAX : -width;
    }
    conversion.width = width;
  } else if (*p >= '0' && *p <= '9') {
    conversion.width = readNumber(p);
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      ++p;
      const int precision = va_arg(args, int);
      conversion.precision = precision < 0 ? -1 : precision;
    } else {
      conversion.precision = readNumber(p);
    }
  }
  if (*p == 'l') {
    ++p;
    conversion.size = 1;
    if (*p == 'l') {
      ++p;
      conversion.size = 2;
    }
  }
  if (*p == '\0') {
    return false;
  }
  conversion.letter = *p++;
  return true;
}

} // namespace

char* FormatAllocV(const char* format, va_list args) {
  // SQLite's fixed-size printing takes scratch space from SQLite's allocator without setting
  // SQLite up first; a process whose first SQLite call is a print would call a null allocator.
  // The call is thread-safe and costs a flag test once SQLite is set up.
  if (format == nullptr || sqlite3_initialize() != SQLITE_OK) {
    return nullptr;
  }
  va_list rest;
  va_copy(rest, args);
  Output out;
  const char* p = format;
  while (*p != '\0') {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      out.append(p, std::strlen(p));
      break;
    }
    out.append(p, static_cast<size_t>(percent - p));
    p = percent + 1;
    if (*p == '\0') {
      out.append("%", 1);
      break;
    }
    Conversion conversion;
    if (!readConversion(p, rest, conversion)) {
      break;
    }
    char spec[kSpecSize];
    bool known = true;
    switch (conversion.letter) {
    case 'd':
    case 'i':
      printSigned(out, conversion, rest);
      break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      printUnsigned(out, conversion, rest);
      break;
    case 'p':
      conversion.spec(spec, 'p', false);
      printPiece(out, padBound(conversion), spec, va_arg(rest, void*));
      break;
    case 'c':
      printCharacter(out, conversion, static_cast<char>(va_arg(rest, int)));
      break;
    case 's':
      printText(out, conversion, va_arg(rest, const char*));
      break;
    case 'z': {
      char* owned = va_arg(rest, char*);
      printText(out, conversion, owned);
      acad_free(owned);
      break;
    }
    case 'q':
    case 'Q':
      conversion.spec(spec, conversion.letter, false);
      {
        const char* text = va_arg(rest, const char*);
        // Every apostrophe may double, and Q adds two.
        printPiece(out, padBound(conversion) + 2 * readLength(conversion, text), spec, text);
      }
      break;
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
      conversion.spec(spec, conversion.letter, false);
      // Fixed notation of the largest doubles has 309 digits before the point.
      printPiece(out, padBound(conversion) + 320, spec, va_arg(rest, double));
      break;
    case 'n':
      storeCount(out, conversion, rest);
      break;
    case '%':
      if (conversion.plain()) {
        out.append("%", 1);
      } else {
        conversion.spec(spec, '%', false);
        printPiece(out, padBound(conversion), spec);
      }
      break;
    default:
      known = false;
      break;
    }
    if (!known) {
      break;
    }
  }
  va_end(rest);
  return out.finish();
}

char* FormatAlloc(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = FormatAllocV(format, args);
  va_end(args);
  return text;
}

} // namespace qv
