// Xrecords of the drawing database: lists of values copied in from and out to result buffers.
#include "platform/acad/dbxrecrd.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/rb_kinds.h"
#include "platform/internal/session.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

// Group codes an Xrecord holds.
bool isXrecordCode(int type) {
  return type >= 1 && type <= 369 && rbValueKind(type) != RbValueKind::Unknown &&
         rbValueKind(type) != RbValueKind::None;
}

// A host copy of one stored item; null when host memory runs out.
resbuf* newItem(short type, const ads_u_val& value, const std::string& bytes) {
  resbuf* item = acutNewRb(type);
  if (item == nullptr) {
    return nullptr;
  }
  switch (rbValueKind(type)) {
  case RbValueKind::String:
    item->resval.rstring = static_cast<char*>(acad_malloc(bytes.size() + 1));
    if (item->resval.rstring == nullptr) {
      acutRelRb(item);
      return nullptr;
    }
    std::memcpy(item->resval.rstring, bytes.c_str(), bytes.size() + 1);
    break;
  case RbValueKind::Binary:
    item->resval.rbinary.clen = static_cast<short>(bytes.size());
    item->resval.rbinary.buf = static_cast<char*>(acad_malloc(bytes.size() + 1));
    if (item->resval.rbinary.buf == nullptr) {
      item->resval.rbinary.clen = 0;
      acutRelRb(item);
      return nullptr;
    }
    std::memcpy(item->resval.rbinary.buf, bytes.data(), bytes.size());
    break;
  default:
    item->resval = value;
    break;
  }
  return item;
}

} // namespace

AcRxClass* AcDbXrecord::desc() {
  static AcRxClass description("AcDbXrecord", AcDbObject::desc());
  return &description;
}

AcRxClass* AcDbXrecord::isA() const {
  return desc();
}

Acad::ErrorStatus AcDbXrecord::rbChain(resbuf** list, AcDbDatabase* /*auxDb*/) const {
  if (list == nullptr) {
    return Acad::eNullObjectPointer;
  }
  *list = nullptr;
  if (!isReadEnabled()) {
    return Acad::eNotOpenForRead;
  }
  if (shouldFail(FailableCall::AcDbXrecord_rbChain)) {
    return Acad::eOutOfMemory;
  }
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const Item& stored : items_) {
    resbuf* item = newItem(stored.type, stored.value, stored.bytes);
    if (item == nullptr) {
      acutRelRb(head);
      return Acad::eOutOfMemory;
    }
    *tail = item;
    tail = &item->rbnext;
  }
  *list = head;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbXrecord::setFromRbChain(const resbuf& list, AcDbDatabase* /*auxDb*/) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (shouldFail(FailableCall::AcDbXrecord_setFromRbChain)) {
    return Acad::eOutOfMemory;
  }
  try {
    std::vector<Item> items;
    for (const resbuf* walk = &list; walk != nullptr; walk = walk->rbnext) {
      if (!isXrecordCode(walk->restype)) {
        return Acad::eInvalidResBuf;
      }
      Item item;
      item.type = walk->restype;
      switch (rbValueKind(walk->restype)) {
      case RbValueKind::String:
        item.bytes = walk->resval.rstring != nullptr ? walk->resval.rstring : "";
        break;
      case RbValueKind::Binary:
        if (walk->resval.rbinary.clen < 0 ||
            (walk->resval.rbinary.clen > 0 && walk->resval.rbinary.buf == nullptr)) {
          return Acad::eInvalidResBuf;
        }
        item.bytes.assign(walk->resval.rbinary.buf != nullptr ? walk->resval.rbinary.buf : "",
                          static_cast<size_t>(walk->resval.rbinary.clen));
        break;
      default:
        item.value = walk->resval;
        break;
      }
      items.push_back(std::move(item));
    }
    items_ = std::move(items);
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
  return Acad::eOk;
}
