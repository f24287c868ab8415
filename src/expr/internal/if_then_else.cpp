// The if/then/else form: a plain condition and single-word branch values.
#include "expr/internal/if_then_else.h"

#include <cstring>

#include "platform/win/string_win.h"
#include "text/text_trim.h"

namespace qv {

namespace {

constexpr int formWords = 6;

// Cuts text in place into at most formWords words at runs of spaces; returns how many.
int splitWords(char* text, char* (&words)[formWords]) {
  int count = 0;
  char* at = text;
  while (count < formWords) {
    while (*at == ' ') {
      ++at;
    }
    if (*at == '\0') {
      break;
    }
    words[count++] = at;
    while (*at != ' ' && *at != '\0') {
      ++at;
    }
    if (*at == ' ') {
      *at++ = '\0';
    }
  }
  return count;
}

// word is in lower case.
bool isWord(const char* text, const char* word) {
  return _stricmp(text, word) == 0;
}

// True when the integer read from the word's leading digits is exactly 1. No sign can reach here:
// the "+" and "-" level runs first and takes a sign before the condition as its operator.
bool conditionIsOne(const char* word) {
  int value = 0;
  for (; *word >= '0' && *word <= '9'; ++word) {
    // Any integer above 1 will do: stop growing before it could overflow.
    value = value > 1 ? value : value * 10 + (*word - '0');
  }
  return value == 1;
}

} // namespace

void applyIfThenElse(HostText& text, double& holder) {
  HostText copy = copyText(TextPiece{text.get(), std::strlen(text.get())});
  if (!copy) {
    holder = EVAL_NO_VALUE;
    return;
  }
  TrimText(copy.get());
  char* words[formWords] = {};
  const int count = splitWords(copy.get(), words);
  if (count < 4 || !isWord(words[0], "if") || !isWord(words[2], "then")) {
    return;
  }
  const double thenValue = evaluateHeld(words[3], holder);
  double elseValue = EVAL_NO_VALUE;
  if (count >= 6 && isWord(words[4], "else")) {
    elseValue = evaluateHeld(words[5], holder);
  }
  if (isNoValue(holder)) {
    return;
  }
  holder = conditionIsOne(words[1]) ? thenValue : elseValue;
  HostText rewritten = joinValue(TextPiece{}, holder, TextPiece{}, holder);
  if (rewritten) {
    text = std::move(rewritten);
  }
}

} // namespace qv
