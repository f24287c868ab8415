// The record-table XML files: writing a chain of tables or records, and reading one back with a
// forgiving scanner that also accepts the older line format.
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Writes the chain of tables to path in text mode: the prolog, the root element "maradel_xml",
// each table with its present attributes (id, type, desc) and its records. The file is first
// written beside the old one (path + ".new") and replaces it only when every write and the close
// succeeded. 1, or 0 when the file cannot be written (the old file is then unchanged).
int writeTableFile(const char* path, const IQvUniTable* first);

// The same file structure with exactly one table without attributes, holding the record chain.
int writeRecordFile(const char* path, const IQvUniRecord* first);

// Reads a file written by writeTableFile or writeRecordFile, or in the older line format (first
// line "<QvUniRecord"), into a new chain of tables that the caller releases with releaseChain.
// Tables read from XML have id, type and desc present (empty when missing); records outside any
// table go into a new table without them. Reading stops at the end of the file, at a ">" that
// stands before the next "<", or at a record nesting deeper than kMaxRecordDepth, keeping what was
// read. Files other XML tools write read alike: single quotes, spaces around "=", records that
// close themselves, character references. Null when the file cannot be opened or read to its end
// (a read error, or memory running out), or holds no table or record.
IQvUniTable* readTableFile(const char* path);

} // namespace qv
