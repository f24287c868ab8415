// Trimming, opening and field lookup shared by the delimited and name=value files.
#include "records/internal/text_lines.h"

#include "records/internal/no_case.h"

namespace qv::textfile {

char* trimInPlace(char* text, size_t length, size_t* keptLength) {
  size_t begin = 0;
  while (begin < length && text[begin] == ' ') {
    ++begin;
  }
  size_t end = length;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n')) {
    --end;
  }
  text[end] = '\0';
  if (keptLength != nullptr) {
    *keptLength = end - begin;
  }
  return text + begin;
}

FILE* openForReading(const char* path, int share) {
  return _fsopen(path, "r", share == -1 ? _SH_DENYNO : share);
}

const char* fieldValue(const IQvUniRecord* record, const char* name) {
  for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
    if (equalsNoCase(field->getName(), name)) {
      return field->getValue();
    }
  }
  return nullptr;
}

} // namespace qv::textfile
