// Which names a selection set may hold.
#include "platform/acad/internal/selection_sets.h"

namespace sim::detail {

bool isSelectableEntity(const ads_name entity) {
  return entity != nullptr && !acdbNameNil(entity);
}

} // namespace sim::detail
