// Record chains in AutoLISP: a table is a list of records, a record a list of its id (a string,
// or nil when it has none) and its fields as dotted pairs of name and value:
//   (("P1" ("x" . "1000.0") ("y" . "2000.0")) ("P2" ("x" . "1010.5") ...))
// Values come back as the texts the records hold. A script keeps nothing in the module: a table
// is an ordinary value that AutoLISP frees like any other. Child records and field types are not
// carried: the lists hold flat records.
#pragma once

#include "module/lisp_result.h"
#include "platform/acad/adsdef.h"
#include "records/uni_interfaces.h"

namespace qv {

// Appends the chain as one list value (records from first on; nil for null). False when the
// builder ran out of memory.
bool addRecordList(LispResult& result, const IQvUniRecord* first);

// Reads a list of records (list: its RTLB item, or null for nil) into a new chain that the
// caller releases with releaseChain. A record's id is its first item when that is a string
// (nil: no id); every other item is a field, (name . value) or (name value), the name a string
// and the value a string, an integer or a real. A malformed record or field prints "; error: bad
// argument type: ..." with the offending item; a failed allocation prints "; error: insufficient
// memory". Both answer false with *first null; an empty list answers true with *first null.
bool readRecordList(const resbuf* list, IQvUniRecord** first);

} // namespace qv
