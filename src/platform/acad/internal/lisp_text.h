// Reading AutoLISP text into values, and printing values as AutoLISP prints them.
#pragma once

#include <string>

#include "platform/acad/internal/lisp_cell.h"

namespace sim::detail {

class LispMachine;

// Reads one expression after another from a text. Lists remember the line of their opening
// parenthesis. Malformed text throws LispThrow with AutoLISP's message and the line.
class LispReader {
public:
  LispReader(LispMachine& machine, const std::string& text) : machine_(machine), text_(text) {}
  // False at the end of the text.
  bool next(LispRef* value);
  int line() const { return line_; }

private:
  LispRef readValue(int depth);
  LispRef readList(int depth);
  LispRef readAtom();
  std::string readString();
  void skipBlanks();
  [[noreturn]] void fail(const char* message);

  LispMachine& machine_;
  const std::string& text_;
  size_t at_ = 0;
  int line_ = 1;
};

// A token that is a number, as AutoLISP reads it: integers beyond 32 bits become reals.
bool readNumber(const std::string& token, LispRef* value);
// prin1's form (strings quoted with escapes) or princ's (strings as they are).
std::string printValue(const LispRef& value, bool quoted);
// A text as prin1 prints it: quoted, with quotes, backslashes and control characters escaped,
// which the reader reads back as the same text.
std::string quoteString(const std::string& text);
// A real as AutoLISP prints it: six significant digits, always a decimal point.
std::string printReal(double value);

} // namespace sim::detail
