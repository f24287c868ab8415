#include "drawing/resbuf_lists.h"

#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/acad/adscodes.h"

namespace qv {

namespace {

enum class OwnedValue { None, Text, Bytes };

bool inRange(int code, int low, int high) {
  return code >= low && code <= high;
}

// What an item of the type owns, by the host's rule for releasing lists: RTSTR, the DXF string
// groups and the operators (-4) of selection filters own their text, the binary groups their
// bytes.
OwnedValue ownedValue(int type) {
  if (type == RTSTR || type == RTDXF0 || type == -4) {
    return OwnedValue::Text;
  }
  if (inRange(type, 0, 9) || inRange(type, 100, 102) || type == 105 || inRange(type, 300, 309) ||
      inRange(type, 410, 419) || inRange(type, 430, 439) || inRange(type, 470, 479) ||
      type == 999 || inRange(type, 1000, 1003) || type == 1005) {
    return OwnedValue::Text;
  }
  if (inRange(type, 310, 319) || type == 1004) {
    return OwnedValue::Bytes;
  }
  return OwnedValue::None;
}

// Gives the copy its own text or bytes; false when memory ran out (the copy then owns nothing).
bool copyOwnedValue(const resbuf& from, resbuf& to) {
  switch (ownedValue(from.restype)) {
  case OwnedValue::Text:
    if (from.resval.rstring != nullptr) {
      to.resval.rstring = acad_strdup(from.resval.rstring);
      return to.resval.rstring != nullptr;
    }
    return true;
  case OwnedValue::Bytes:
    if (from.resval.rbinary.buf != nullptr && from.resval.rbinary.clen > 0) {
      to.resval.rbinary.buf = static_cast<char*>(acad_malloc(from.resval.rbinary.clen));
      if (to.resval.rbinary.buf == nullptr) {
        return false;
      }
      std::memcpy(to.resval.rbinary.buf, from.resval.rbinary.buf, from.resval.rbinary.clen);
    } else {
      to.resval.rbinary.buf = nullptr;
    }
    return true;
  case OwnedValue::None:
    return true;
  }
  return true;
}

} // namespace

resbuf* listItemAt(resbuf* list, int n) {
  if (n < 0) {
    return nullptr;
  }
  resbuf* item = list;
  for (int i = 0; i < n && item != nullptr; ++i) {
    item = item->rbnext;
  }
  return item;
}

resbuf* findXdataString(resbuf* list, const char* text) {
  if (text == nullptr) {
    return nullptr;
  }
  for (resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == 1000 && item->resval.rstring != nullptr &&
        std::strcmp(item->resval.rstring, text) == 0) {
      return item;
    }
  }
  return nullptr;
}

resbuf* copyResbufList(const resbuf* list) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    resbuf* copy = acutNewRb(item->restype);
    if (copy == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
    copy->resval = item->resval;
    const bool copied = copyOwnedValue(*item, *copy);
    if (!copied) {
      std::memset(&copy->resval, 0, sizeof copy->resval); // owns nothing: released alone
    }
    *tail = copy;
    tail = &copy->rbnext;
    if (!copied) {
      acutRelRb(head);
      return nullptr;
    }
  }
  return head;
}

} // namespace qv
