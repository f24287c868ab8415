// The record element of the record-table XML files and of the XML record form: reading one from
// the tag scanner, and writing one to a file.
#pragma once

#include <string>

#include "platform/win/stdio_win.h"
#include "records/tag_scanner.h"
#include "records/uni_interfaces.h"

namespace qv {

// Child records nest at most this deep; deeper input is malformed (the read fails there), so a
// crafted file or buffer cannot exhaust the stack.
constexpr int kMaxRecordDepth = 200;

// parseRecordElement's answer for a record that nests too deep, its tags passed over to its end.
constexpr int kRecordTooDeep = -1;

// Fills record from the tags that follow its start tag (tag), up to its end tag, with nextTag on
// file (or on buffer alone for a null file). The id attribute of tag, when not empty, becomes the
// record's id; a start tag that closes itself ("<record id="1"/>") ends the element there with 1.
// Then, tag by tag: a "record" start tag makes a new record, hung under this one as its last
// child and filled the same way; a "value" start tag with a non-empty name attribute adds a field
// (name, value, no type when the type attribute is empty); "/record" ends the element with 1;
// every other tag is skipped. 0 for a null record or when the tags run out first; what was read
// stays in the record. When children nest deeper than kMaxRecordDepth, the tags are passed over
// up to the end tag of the record this call started with, giving kRecordTooDeep (0 when they run
// out first). tag holds the last tag taken when it returns.
int parseRecordElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer);

// Writes one record element with its children (before its own fields), every attribute value
// escaped as XML text. 1, or 0 for a null file or record, when memory ran out or a write failed.
int writeRecordElement(FILE* file, const IQvUniRecord* record);

// Appends the record element that writeRecordElement writes to out; a null record appends
// nothing. Throws std::bad_alloc when out cannot grow.
void appendRecordElement(std::string& out, const IQvUniRecord* record);

} // namespace qv
