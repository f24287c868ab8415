// Reading pieces out of texts: fields between separators, quoted words, ranges, keywords and the
// first number of a text.
#pragma once

namespace qv {

// The value read (as readDecimal reads) from the first digit of text, or from a "." in first place,
// or from a "-" in first place or after a space; 98765432.1 when there is none (also for null).
double FirstNumberInText(const char* text);

// The character at index is the delimiter: a new copy (acad_malloc) of the text after it up to the
// next same character or the end (a quoted word without its quotes). An index outside the text
// gives a new empty text. Null when memory runs out.
char* DelimitedAt(const char* text, int index);

// The number of non-overlapping occurrences of part; 0 for a null or empty part or a null text.
int CountOccurrences(const char* text, const char* part);

// The n-th field (from 1) between one-character separators, as a new text (acad_malloc); the last
// field runs to the end. A field that is not there (n below 1 or past the last) gives a new empty
// text. Null when memory runs out.
char* NthField(const char* text, char separator, int n);

// Writes the characters from position from to position to, both included, then a terminator, into
// output (which holds to - from + 2 characters). Positions before the text or past its end are
// written as NUL. When to is below from, output is the empty text.
void CopyRange(const char* text, int from, int to, char* output);

// The number (from 1) of the first field between separators that equals word without regard to
// case (fields as NthField counts them), or 0; 0 also for a null text or word.
int WordIndex(const char* text, const char* word, char separator);
// 1 when WordIndex is not 0, else 0.
int ContainsWord(const char* text, const char* word, char separator);

// 1 when text starts with keyword (without regard to case), followed by white space and more text;
// *rest then points at that text. Otherwise 0 and *rest is null. rest may be null.
int MatchKeyword(const char* keyword, const char* text, const char** rest);

} // namespace qv
