// msString: the library's owning string of 8-bit, NUL-terminated characters, kept in a buffer from
// the host allocator so that its text can pass to and from host calls that allocate the same way.
#pragma once

#include <cstdarg>
#include <cstdint>

namespace qv {

class msString {
public:
  // The empty text.
  msString();
  // A copy of the text; null gives the empty text.
  msString(const char* text);
  msString(const msString& other);
  ~msString();

  // Assignments. A null text assigns the empty text. The source may lie inside this string's own
  // buffer (a part of its own text). When memory runs out the string keeps its old text.
  msString& operator=(const char* text);
  msString& operator=(const msString& other);
  // Assignment that reports its result: 1, or 0 when memory ran out (the string unchanged). The
  // second form takes the first length bytes of text (which holds at least that many).
  int Assign(const char* text);
  int Assign(const char* text, int length);
  // A one-character text.
  msString& operator=(char c);
  // The value printed as a decimal number.
  msString& operator=(int value);
  msString& operator=(int64_t value);

  // The text; never null.
  operator const char*() const { return text_; }

  // Appends in place; a null text appends nothing. When memory runs out the string is unchanged.
  msString& operator+=(const msString& other);
  msString& operator+=(const char* text);
  // A new string holding this text followed by the other (null counts as empty).
  msString operator+(const msString& other) const;
  msString operator+(const char* text) const;

  // Byte-by-byte equality, case counting; a null text equals the empty text. (!= follows.)
  bool operator==(const msString& other) const;
  bool operator==(const char* text) const;
  // 1 when both texts are equal once upper-cased, else 0. Neither string changes.
  int CompareNoCase(const msString& other) const;

  // The character at index, for 0 <= index < the buffer's capacity (the terminator's place
  // included). Any other index shows the host alert "bad index passed to msString::operator[]"
  // and gives the first character instead.
  char& operator[](int index);
  char operator[](int index) const;

  int GetLength() const;
  // 1 for the empty text, else 0.
  int IsEmpty() const;
  // The size of the buffer in bytes, terminator included.
  int GetCapacity() const { return capacity_; }
  // The index of the first occurrence of part, or -1 (also for a null part).
  int Find(const char* part) const;
  // The index of the last occurrence of c, or -1 (the terminator is not searched).
  int ReverseFind(char c) const;

  // Pieces, as new strings; this string is not changed. Left/Right: the whole text when
  // n >= length, the first/last n characters when 0 < n < length, the empty text when n <= 0.
  msString Left(int n) const;
  msString Right(int n) const;
  // The text from start on, cut to count characters, when 0 <= start < length and count > 0;
  // otherwise the empty text.
  msString Mid(int start, int count) const;

  // In-place changes. MakeUpper upper-cases the ASCII letters. The trims remove white space
  // (space, tab, line feed, vertical tab, form feed, carriage return); TrimEnd trims only the
  // right end, as TrimRight.
  void MakeUpper();
  void TrimLeft();
  void TrimRight();
  void TrimEnd() { TrimRight(); }
  // Ends the text at position when 0 <= position < capacity. Otherwise the text is unchanged and
  // the line "pos %d len %d str (%s)\n" (position, length, text) goes to standard output.
  void Truncate(int position);

  // Formats as FormatAlloc does (text/format.h) and assigns the result. 1, or 0 when formatting
  // gave no text (memory ran out), in which case the string is unchanged.
  int Format(const char* format, ...);
  int FormatV(const char* format, va_list args);

private:
  // A string joining two pieces of the given lengths.
  msString(const char* first, int64_t firstLength, const char* second, int64_t secondLength);
  // Sets up a fresh buffer holding the pieces (the empty text when memory runs out).
  void init(const char* first, int64_t firstLength, const char* second, int64_t secondLength);
  // Makes this string hold length bytes of source. False when memory ran out (nothing changed).
  bool assign(const char* source, int64_t length);
  // Frees the current buffer and takes fresh, of capacity bytes.
  void take(char* fresh, int32_t capacity);

  char* text_;
  int32_t capacity_;
};

// The capacity of a buffer for a text of the given length: (length + 1) * 4 / 3 when length + 1 is
// 10 or more, else length + 6. -1 when that is beyond a 32-bit size.
int32_t msStringCapacityFor(int64_t length);

} // namespace qv
