// QvUniRecord::getFieldText, the field read into an msString.
#include "records/uni_record.h"

#include "text/text.h"

namespace qv {

int QvUniRecord::getFieldText(const char* name, msString& out) const {
  const char* value = valueOf(name);
  out = value != nullptr ? value : "";
  return value != nullptr ? 1 : 0;
}

} // namespace qv
