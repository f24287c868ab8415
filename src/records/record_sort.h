// Ordering of record chains by a field: a stable sort that relinks the records themselves; no
// record is copied.
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Sorts the chain at *head in place by compareByField (fieldName null: by id) and stores the new
// head through head. descending non-zero reverses the order. Stable in both directions: records
// that compare equal keep their order. Records lacking the field count as empty, so they come
// first ascending and last descending. Nothing for a null head pointer or an empty chain. Takes
// temporary memory of about 80 bytes a record while it sorts; when that memory cannot be had it
// sorts over the records' own links instead, more slowly, to the same order.
void sortRecords(IQvUniRecord** head, const char* fieldName, int descending);

// Detaches the first n records: returns the old head, moves *head on by n records and cuts the
// chain after the n-th (its next set to null). With fewer than n records takes them all and
// leaves *head null. Null (and *head unchanged) for a null pointer, an empty chain or n <= 0.
IQvUniRecord* takeRecords(IQvUniRecord** head, int n);

// Merges chain b into chain a, each already sorted by the same field and direction, and returns
// the head of the merged chain. A record of b goes before a record of a only when that record
// compares strictly greater, so records of a come before equal records of b. Either chain may be
// null.
IQvUniRecord* mergeRecords(IQvUniRecord* a, IQvUniRecord* b, const char* fieldName, int descending);

} // namespace qv
