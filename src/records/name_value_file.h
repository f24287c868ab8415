// Files of name=value lines as record chains.
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Reads name=value lines (reads of at most 1023 characters). Each line is trimmed (leading spaces,
// trailing spaces, CR and LF); leading "=" are skipped; the name runs to the next "=", and the
// value is the rest of the line after the run of "=" that follows the name, trimmed, with a
// leading double quote and then a trailing one removed. Lines without both a name and a value are
// skipped. Each line with a non-empty name gives a record: id = the name, fields "name" and
// "value". share -1 opens as fopen does, another value is the _fsopen sharing mode. Returns the
// chain, or null when the file cannot be opened or gives no record.
IQvUniRecord* readNameValueFile(const char* path, int share);

// Writes one "name=value" line per record, in chain order: the "name" field, or the id when the
// name is missing or empty, and the "value" field (empty when missing). The file is rewritten
// through a temporary file beside it and replaced only when everything was written. Returns 1, or
// 0 when the file cannot be opened or a write or the close fails (the old file then stays).
int writeNameValueFile(const char* path, const IQvUniRecord* first, int share);

} // namespace qv
