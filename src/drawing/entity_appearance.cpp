#include "drawing/entity_appearance.h"

#include "host/entities/entity_helpers.h"
#include "host/file_names.h"
#include "host/result_lists.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbmain.h"

namespace qv {

void setEntityColor(int color, const ads_name entity) {
  if (color < 1 || color > 255) {
    color = 256;
  }
  resbuf* list = acdbEntGet(entity);
  if (list == nullptr) {
    return;
  }
  resbuf* colorItem = findResbufByType(list, 62);
  if (colorItem != nullptr) {
    colorItem->resval.rint = static_cast<short>(color);
    modifyEntity(list);
    acutRelRb(list);
    return;
  }
  // A colour group of our own, right after the layer (or at the end), unlinked again before the
  // host releases the list.
  resbuf added{};
  added.restype = 62;
  added.resval.rint = static_cast<short>(color);
  resbuf* after = findResbufByType(list, 8);
  if (after == nullptr) {
    after = list;
    while (after->rbnext != nullptr) {
      after = after->rbnext;
    }
  }
  added.rbnext = after->rbnext;
  after->rbnext = &added;
  modifyEntity(list);
  after->rbnext = added.rbnext;
  acutRelRb(list);
}

void setEntityLayer(char* layer, const ads_name entity) {
  if (layer == nullptr) {
    return;
  }
  if (hasForbiddenChars(layer) != 0) {
    acutPrintf("\nError: invalid layer %s", layer);
    return;
  }
  AcDbObjectId id;
  AcDbEntity* object = nullptr;
  if (acdbGetObjectId(id, entity) != Acad::eOk ||
      acdbOpenAcDbEntity(object, id, AcDb::kForWrite) != Acad::eOk) {
    return;
  }
  object->setLayer(layer, true);
  object->close();
}

} // namespace qv
