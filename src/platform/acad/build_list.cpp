// acutBuildList: result-buffer lists from (type, value) argument pairs.
#include "platform/acad/acutads.h"

#include <cstdarg>
#include <cstring>

#include "platform/acad/internal/rb_kinds.h"
#include "platform/internal/session.h"

namespace {

// Reads the value of one pair into the buffer; false when the type has no known value.
bool readValue(resbuf* item, int type, va_list& args) {
  switch (rbValueKind(type)) {
  case RbValueKind::None:
    return true;
  case RbValueKind::String: {
    const char* text = va_arg(args, const char*);
    item->resval.rstring = acad_strdup(text == nullptr ? "" : text);
    return item->resval.rstring != nullptr;
  }
  case RbValueKind::Binary: {
    const ads_binary* chunk = va_arg(args, const ads_binary*);
    if (chunk == nullptr || chunk->clen < 0) {
      return false;
    }
    item->resval.rbinary.clen = chunk->clen;
    item->resval.rbinary.buf = static_cast<char*>(acad_malloc(static_cast<size_t>(chunk->clen)));
    if (item->resval.rbinary.buf == nullptr) {
      return false;
    }
    if (chunk->clen > 0) {
      std::memcpy(item->resval.rbinary.buf, chunk->buf, static_cast<size_t>(chunk->clen));
    }
    return true;
  }
  case RbValueKind::Real:
    item->resval.rreal = va_arg(args, double);
    return true;
  case RbValueKind::Point: {
    const ads_real* point = va_arg(args, const ads_real*);
    if (point == nullptr) {
      return false;
    }
    item->resval.rpoint[X] = point[X];
    item->resval.rpoint[Y] = point[Y];
    item->resval.rpoint[Z] = type == RTPOINT ? 0.0 : point[Z];
    return true;
  }
  case RbValueKind::Short:
    item->resval.rint = static_cast<short>(va_arg(args, int));
    return true;
  case RbValueKind::Long:
    item->resval.rlong = va_arg(args, int32_t);
    return true;
  case RbValueKind::Name: {
    const int64_t* name = va_arg(args, const int64_t*);
    if (name == nullptr) {
      return false;
    }
    item->resval.rlname[0] = name[0];
    item->resval.rlname[1] = name[1];
    return true;
  }
  case RbValueKind::Unknown:
    return false;
  }
  return false;
}

} // namespace

resbuf* acutBuildList(int type, ...) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acutBuildList)) {
    return nullptr;
  }
  va_list args;
  va_start(args, type);
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool ok = true;
  for (; type != 0 && type != RTNONE; type = va_arg(args, int)) {
    const int stored = type == RTDXF0 ? 0 : type;
    resbuf* item = acutNewRb(stored);
    if (item == nullptr) {
      ok = false;
      break;
    }
    *tail = item;
    tail = &item->rbnext;
    if (!readValue(item, type, args)) {
      ok = false;
      break;
    }
  }
  va_end(args);
  if (!ok) {
    acutRelRb(head);
    return nullptr;
  }
  return head;
}
