// The forgiving tag scanner of the record-table XML files and the XML record form: tags found by
// "<" and ">", attributes taken by name from a tag's text.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win/stdio_win.h"
#include "text/ms_string.h"

namespace qv {

// The text being scanned: what is left of a file's pieces, or a caller's text scanned in place.
// pos marks where the part not yet scanned begins, so that taking a tag never copies the rest.
struct QvScanBuffer {
  std::string text;
  // A caller's text scanned in place instead of text (only without a file).
  char* borrowed = nullptr;
  size_t borrowedSize = 0;
  size_t pos = 0;
  // Reading a file: the characters taken so far of the piece the file is in (pieces are what a
  // read of at most 254 characters, ending at a line end, gives), whether the rest of that piece
  // is dropped (it followed a NUL byte), and whether the file has ended or failed.
  std::string block; // the last block read, before its text goes on to text
  size_t pieceUsed = 0;
  bool droppingPiece = false;
  bool ended = false;
  // Scanning in place: where the byte after the last tag taken was made a NUL (kNoMark: nowhere).
  static constexpr size_t kNoMark = static_cast<size_t>(-1);
  size_t markAt = kNoMark;

  // Starts over with a copy of text (null as empty).
  void assign(const char* source) {
    text.assign(source != nullptr ? source : "");
    borrowed = nullptr;
    pos = 0;
    pieceUsed = 0;
    droppingPiece = false;
    ended = false;
    markAt = kNoMark;
  }
  // Starts over on the size bytes at source, which the scanner reads in place (a NUL must follow
  // them; a byte after a tag is set to NUL and put back while the tag is taken).
  void borrow(char* source, size_t size) {
    text.clear();
    borrowed = source;
    borrowedSize = size;
    pos = 0;
    markAt = kNoMark;
  }
  // Puts back the byte that the last tag taken in place made a NUL.
  void unmark() {
    if (markAt != kNoMark) {
      borrowed[markAt] = '>';
      markAt = kNoMark;
    }
  }
  char* data() { return borrowed != nullptr ? borrowed : text.data(); }
  size_t size() const { return borrowed != nullptr ? borrowedSize : text.size(); }
};

// Takes the next tag. Finds the first "<" and the first ">" in what is left of buffer; while
// either is missing, appends the next piece of file (up to 254 characters, ending at a line end)
// and looks again, failing (0) at the end of the file or at once with a null file. A ">" before
// the "<" fails (0). The tag ends at the first ">" that is not inside a quoted attribute value
// (a quote right after "=" opens one), or for a comment ("<!--") at "-->", more pieces being read
// while it is missing. Then before = the text up to the "<", tag = the text between "<" and ">",
// the buffer keeps what follows the ">", and the result is 1. A NUL byte read from the file ends
// the text of its piece.
int nextTag(FILE* file, msString& before, msString& tag, QvScanBuffer& buffer);

// out = the value of the attribute name in the tag's text, unescaped as XML text. The attributes
// after the element name are taken in turn, each a name, "=" (spaces around it allowed) and a
// value in double or single quotes; the first whose whole name equals name (case counting) gives
// the value. An unquoted value runs to the next double quote in the tag. The empty text when the
// attribute or its closing quote is missing, or for a null tag or name.
void getAttribute(const char* tag, const char* name, msString& out);

// 1 when the tag's element name equals name with case ignored. The name is the tag's text up to
// the first white space, or up to a "/" after its first character (so "record/" is "record").
int tagNameIs(const char* tag, const char* name);

// 1 when the tag has white space: only such tags are taken as start tags of tables.
int tagHasSpace(const char* tag);

// 1 when the tag closes itself: its last character other than white space is a "/" that is not
// its first ("record id=\"1\" /" but not "/record").
int tagClosesItself(const char* tag);

} // namespace qv
