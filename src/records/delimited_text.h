// Tabular text files as record chains: column detection in fixed-width files, import of
// fixed-width and delimited lines with header, skip and preview, and export as delimited lines.
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Finds the columns of a fixed-width file: every character position (0 to 1021 of each read of
// at most 1022 characters) where some line holds a character other than space, CR and LF is
// marked, and each run of marked positions is a column. Returns a chain of column records, ids
// "1", "2", ... with the integer fields "first" and "last" (0-based positions), or null when the
// file cannot be opened or read to its end, or holds no such character. Longer lines fold onto
// the first positions.
IQvUniRecord* detectTextColumns(const char* path);

// Reads a text file into a chain of records, one per line (reads of at most 10239 characters; a
// longer line arrives as several lines), one field per column, values trimmed (leading spaces,
// trailing spaces, CR and LF), no ids, no types.
// - detect non-zero: fixed-width columns found by detectTextColumns. Else columnPositions, when
//   not null and not empty once trimmed (it is trimmed in place): the 1-based positions where each
//   next column starts, separated by spaces or commas. Else delimited lines cut at every
//   delimiter, with no quoting.
// - skip: lines dropped first. header non-zero: the first line read names the columns and gives
//   no record. preview non-zero: at most 21 lines are read after the skipped ones.
// Fields are named "1", "2", ... or by the header's text for the column (empty when the header
// has fewer columns). A position that does not lie after the previous start gives an empty column.
// Returns null when the file cannot be opened or read to its end, or gives no record.
IQvUniRecord* readTextTable(const char* path, char delimiter, char* columnPositions, int header,
                            int skip, int detect, int preview);

// Writes a record chain as delimited lines: the columns are the field names in order of first
// appearance (case ignored), each typed by the first field seen under that name; header exactly 1
// writes their names first. Each record gives one line of its values (empty when it lacks the
// field; between double quotes when the column's type is "string", any case), nothing escaped.
// The file is rewritten through a temporary file beside it and replaced only when everything was
// written; share -1 opens as fopen does, another value is the _fsopen sharing mode. Returns 1, or
// 0 when the file cannot be opened or a write or the close fails (the old file then stays).
int writeDelimitedFile(const char* path, char delimiter, int header, const IQvUniRecord* first,
                       int share);

} // namespace qv
