// Replacing every occurrence of a text, and the quoting of texts for the evaluator's strings.
#pragma once

#include "text/ms_string.h"

namespace qv {

// Replaces every occurrence of find in text, left to right; the search goes on after each inserted
// replacement, so a replacement is never scanned again. A null replacement counts as "". Returns
// the number of replacements: 0 for a null text or a null or empty find.
// The buffer version works in place: the caller's buffer must hold the longer result. It answers
// -1, the text unchanged, when a longer result needs working memory and memory runs out.
int ReplaceAll(char* text, const char* find, const char* replacement);
// The msString version answers -1, the string unchanged, when memory runs out.
int ReplaceAll(msString& text, const char* find, const char* replacement);

// Writes text into output with, in this order, backslash replaced by two backslashes, the
// apostrophe by two apostrophes and ">" by "\>" (output holds up to twice the text's length + 1;
// a null text writes ""). Returns the output's length.
int EscapeQuoted(const char* text, char* output);
// The same in place on an msString; 0 and the string unchanged when memory runs out, else 1.
int EscapeQuoted(msString& text);

} // namespace qv
