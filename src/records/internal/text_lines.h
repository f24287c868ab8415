// Small helpers of the text-file readers and writers of this folder: trimming, opening with a
// sharing mode, and finding a field's value.
#pragma once

#include <cstddef>

#include "platform/win/stdio_win.h"
#include "records/uni_interfaces.h"

namespace qv::textfile {

// Trims text[0, length): leading spaces, then trailing spaces, CR and LF. Writes a NUL after the
// kept part (text[length] must be writable) and returns its start; keptLength, when given, takes
// the kept part's length.
char* trimInPlace(char* text, size_t length, size_t* keptLength = nullptr);

// Opens path for reading in text mode: share -1 as fopen does, else with that sharing mode.
FILE* openForReading(const char* path, int share);

// The value of the record's first field named name (case ignored), or null when there is none or
// it has no value.
const char* fieldValue(const IQvUniRecord* record, const char* name);

} // namespace qv::textfile
