// The LIKE test: the left side and the pattern are cut from an upper-cased copy at the words
// "if", "not", "like" and "then", and matched with MatchWildcard.
#include "expr/internal/like_test.h"

#include <cstdio>
#include <cstring>

#include "expr/internal/held_functions.h"
#include "expr/match_wildcard.h"
#include "platform/acad/acutads.h"
#include "platform/acad/adscodes.h"
#include "text/text_trim.h"
#include "text/text_words.h"

namespace qv {

namespace {

// Offset of the word with the given number (from 1) in a text of space-separated words.
size_t wordStart(const char* text, int number) {
  size_t at = 0;
  for (int word = 1; word < number && text[at] != '\0'; ++word) {
    const char* space = std::strchr(text + at, ' ');
    if (space == nullptr) {
      return std::strlen(text);
    }
    at = static_cast<size_t>(space - text) + 1;
  }
  return at;
}

// The characters from..to (exclusive) of text; empty when the range is empty or reversed.
TextPiece range(const char* text, size_t from, size_t to) {
  return to > from ? TextPiece{text + from, to - from} : TextPiece{};
}

// The piece without one leading double quote and one trailing double quote.
TextPiece unquoted(TextPiece side) {
  if (side.length > 0 && side.begin[0] == '"') {
    ++side.begin;
    --side.length;
  }
  if (side.length > 0 && side.begin[side.length - 1] == '"') {
    --side.length;
  }
  return side;
}

bool wordIs(const char* text, int number, const char* word) {
  const size_t at = wordStart(text, number);
  const size_t length = std::strlen(word);
  return std::strncmp(text + at, word, length) == 0 &&
         (text[at + length] == ' ' || text[at + length] == '\0');
}

} // namespace

void applyLikeTest(HostText& text, double& holder) {
  const char* original = text.get();
  const int likeWord = WordIndex(original, "like", ' ');
  const int thenWord = WordIndex(original, "then", ' ');
  if (WordIndex(original, "if", ' ') != 1 || likeWord < 3 || thenWord < likeWord + 2) {
    return;
  }
  HostText upper = copyText(TextPiece{original, std::strlen(original)});
  if (!upper) {
    holder = EVAL_NO_VALUE;
    return;
  }
  UpperText(upper.get());
  const char* words = upper.get();
  const bool negated = wordIs(words, likeWord - 1, "NOT");
  const size_t likeAt = wordStart(words, likeWord);
  const size_t thenAt = wordStart(words, thenWord);
  // Each side ends before the space that separates it from the next word.
  const size_t leftEnd = negated ? wordStart(words, likeWord - 1) - 1 : likeAt - 1;
  const TextPiece left = range(words, 3, leftEnd);
  const TextPiece pattern = unquoted(range(words, likeAt + 5, thenAt - 1));

  HostText leftString;
  char converted[convertedStringSize] = {};
  if (left.length > 0 && left.begin[0] == '"') {
    leftString = copyText(unquoted(left));
  } else {
    const StringConversionFunction convert = heldStringConversionFunction();
    if (convert == nullptr) {
      acutPrintf("String conversion function is not defined\n");
      holder = EVAL_NO_VALUE;
      return;
    }
    HostText side = copyText(left);
    if (!side) {
      holder = EVAL_NO_VALUE;
      return;
    }
    convert(side.get(), converted);
    converted[convertedStringSize - 1] = '\0';
    leftString = copyText(TextPiece{converted, std::strlen(converted)});
  }
  HostText patternString = copyText(pattern);
  if (!leftString || !patternString) {
    holder = EVAL_NO_VALUE;
    return;
  }
  const bool matches = MatchWildcard(leftString.get(), patternString.get()) == RTNORM;
  const int condition = matches != negated ? 1 : 0;
  char head[8];
  std::snprintf(head, sizeof head, "if %d", condition);
  HostText rewritten = joinText(TextPiece{head, std::strlen(head)}, TextPiece{},
                                TextPiece{words + thenAt - 1, std::strlen(words + thenAt - 1)});
  if (!rewritten) {
    holder = EVAL_NO_VALUE;
    return;
  }
  text = std::move(rewritten);
}

} // namespace qv
