// parseRecordElement for a start tag taken as a view, as the table reader takes its tags.
#pragma once

#include "records/internal/tag_view.h"
#include "records/uni_interfaces.h"

namespace qv {

class QvUniRecord;

// parseRecordElement for one of the reader's own records, with start the record's start tag as
// takeTag gave it; the last tag taken is not handed back. values = the value tags read for the
// record itself (its children's not counted), about the number of fields it got.
int parseRecordElement(FILE* file, QvUniRecord* record, const TagView& start, QvScanBuffer& buffer,
                       size_t& values);

} // namespace qv
