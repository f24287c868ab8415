// The forgiving tag scanner of the record-table XML files and the XML record form: tags found by
// "<" and ">", attributes taken by name from a tag's text.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win/stdio_win.h"
#include "text/ms_string.h"

namespace qv {

// The text being scanned: what is left of a file's pieces, or a whole text read without a file.
// pos marks where the part not yet scanned begins, so that taking a tag never copies the rest.
struct QvScanBuffer {
  std::string text;
  size_t pos = 0;

  // Starts over with a copy of text (null as empty).
  void assign(const char* source) {
    text.assign(source != nullptr ? source : "");
    pos = 0;
  }
  // The part not yet scanned.
  const char* rest() const { return text.c_str() + pos; }
};

// Takes the next tag. Finds the first "<" and the first ">" in what is left of buffer; while
// either is missing, appends the next piece of file (up to 254 characters, ending at a line end)
// and looks again, failing (0) at the end of the file or at once with a null file. A ">" before
// the "<" fails (0). Else before = the text up to the "<", tag = the text between "<" and ">",
// the buffer keeps what follows the ">", and the result is 1. A NUL byte read from the file ends
// the text of its piece.
int nextTag(FILE* file, msString& before, msString& tag, QvScanBuffer& buffer);

// out = the value of the attribute name in the tag's text: the first occurrence of name followed
// by "=" (case counting, as a plain substring, so "id" also matches inside "xid="), one double
// quote skipped when it follows, and the text up to the next double quote, unescaped as XML text.
// The empty text when the attribute or its closing quote is missing, or for a null tag or name.
void getAttribute(const char* tag, const char* name, msString& out);

// 1 when the tag's element name (its text up to the first space) equals name with case ignored.
int tagNameIs(const char* tag, const char* name);

// 1 when the tag has a space: only such tags are taken as start tags of tables, records and
// values.
int tagHasSpace(const char* tag);

} // namespace qv
