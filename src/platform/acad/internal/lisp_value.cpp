// Copying AutoLISP values between the stand-in's items and host result-buffer lists.
#include "platform/acad/internal/lisp_value.h"

#include "platform/acad/acutads.h"

namespace sim::detail {

bool readChain(const resbuf* chain, LispValue& out) {
  out.clear();
  for (const resbuf* node = chain; node != nullptr; node = node->rbnext) {
    LispItem item = atomOf(node->restype);
    switch (node->restype) {
    case RTREAL:
    case RTANG:
    case RTORINT:
      item.real = node->resval.rreal;
      break;
    case RTPOINT:
    case RT3DPOINT:
      item.point[X] = node->resval.rpoint[X];
      item.point[Y] = node->resval.rpoint[Y];
      item.point[Z] = node->restype == RTPOINT ? 0.0 : node->resval.rpoint[Z];
      break;
    case RTSHORT:
      item.integer = node->resval.rint;
      break;
    case RTLONG:
      item.integer = node->resval.rlong;
      break;
    case RTSTR:
      if (node->resval.rstring == nullptr) {
        return false;
      }
      item.text = node->resval.rstring;
      break;
    case RTENAME:
    case RTPICKS:
      item.name[0] = node->resval.rlname[0];
      item.name[1] = node->resval.rlname[1];
      break;
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTVOID:
      break;
    default:
      return false;
    }
    out.push_back(item);
  }
  return true;
}

resbuf* makeChain(const LispValue& value) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const LispItem& item : value) {
    resbuf* node = acutNewRb(item.type);
    if (node == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
    *tail = node;
    tail = &node->rbnext;
    switch (item.type) {
    case RTREAL:
    case RTANG:
    case RTORINT:
      node->resval.rreal = item.real;
      break;
    case RTPOINT:
    case RT3DPOINT:
      node->resval.rpoint[X] = item.point[X];
      node->resval.rpoint[Y] = item.point[Y];
      node->resval.rpoint[Z] = item.point[Z];
      break;
    case RTSHORT:
      node->resval.rint = static_cast<short>(item.integer);
      break;
    case RTLONG:
      node->resval.rlong = item.integer;
      break;
    case RTSTR:
      node->resval.rstring = acad_strdup(item.text.c_str());
      if (node->resval.rstring == nullptr) {
        acutRelRb(head);
        return nullptr;
      }
      break;
    case RTENAME:
    case RTPICKS:
      node->resval.rlname[0] = item.name[0];
      node->resval.rlname[1] = item.name[1];
      break;
    default:
      break;
    }
  }
  return head;
}

LispItem atomOf(short type) {
  LispItem item;
  item.type = type;
  return item;
}

} // namespace sim::detail
