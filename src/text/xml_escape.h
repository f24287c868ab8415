// The escaping of texts inside the record-table XML files, both ways.
#pragma once

#include <cstddef>
#include <string>

#include "text/ms_string.h"

namespace qv {

// Replaces, in place and in this order, "&" by "&amp;", ">" by "&gt;", "<" by "&lt;", the double
// quote by "&quot;", the apostrophe by "&apos;", and the line break CR LF by the two characters
// "\n" (backslash, n). A backslash followed by "n" is written "&#92;", so that it does not read
// back as a line break. No replacement is escaped again: "&" gives "&amp;" and nothing more.
// 1, or 0 with the string unchanged when memory runs out.
int XmlEscape(msString& text);
// Appends the escaped form of text, as XmlEscape makes it, to out; null appends nothing. For
// writers that build their output in one buffer (out grows as std::string does).
void XmlEscapeAppend(const char* text, std::string& out);

// Replaces, in place and in this order, "&gt;" by ">", "&lt;" by "<", "&quot;" by the double
// quote, "&apos;" by the apostrophe, "&amp;" by "&", and the two characters "\n" by CR LF, each
// over the whole text: "&amp;gt;" gives "&gt;" (one level only). A character reference of 1 to
// 255, decimal or hex ("&#65;", "&#x41;"), gives its character, as XML tools write them.
// Never needs memory.
void XmlUnescape(msString& text);
// The same over a caller's buffer, in place (the result is never longer). Null does nothing.
void XmlUnescape(char* text);
// Assigns to out the unescaped form of the length bytes at text (which holds no NUL before them).
// 1, or 0 with out unchanged when memory runs out.
int XmlUnescape(const char* text, size_t length, msString& out);

} // namespace qv
