// QvUniField's comparison.
#include "records/uni_field.h"

#include <cstring>

namespace qv {

namespace {

// Both absent is equal, one absent is not, two texts must match byte for byte.
bool sameText(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::strcmp(a, b) == 0;
}

} // namespace

int QvUniField::isEqual(const IQvUniField* other) const {
  if (other == nullptr) {
    return 0;
  }
  return sameText(getName(), other->getName()) && sameText(getValue(), other->getValue()) &&
                 sameText(getType(), other->getType())
             ? 1
             : 0;
}

} // namespace qv
