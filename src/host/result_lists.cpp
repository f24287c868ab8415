// Finding items in host result-buffer lists.
#include "host/result_lists.h"

namespace qv {

const resbuf* findResbufByType(const resbuf* list, int type) {
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == type) {
      return item;
    }
  }
  return nullptr;
}

resbuf* findResbufByType(resbuf* list, int type) {
  return const_cast<resbuf*>(findResbufByType(static_cast<const resbuf*>(list), type));
}

} // namespace qv
