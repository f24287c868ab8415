// Which names a selection set may hold.
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/selection_sets.h"

namespace sim::detail {

bool isSelectableEntity(const ads_name entity) {
  const AcDbEntity* found = entity == nullptr ? nullptr : entityOfName(entity);
  return found != nullptr && !found->isErased() && isMainEntity(*found);
}

} // namespace sim::detail
