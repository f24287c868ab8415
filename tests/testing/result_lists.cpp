#include "testing/result_lists.h"

#include <gtest/gtest.h>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qvtest {

List::~List() {
  acutRelRb(head);
}

const resbuf* group(const resbuf* list, int code, int nth) {
  for (; list != nullptr; list = list->rbnext) {
    if (list->restype == code && nth-- == 0) {
      return list;
    }
  }
  return nullptr;
}

int errnoValue() {
  resbuf value{};
  EXPECT_EQ(acedGetVar("ERRNO", &value), RTNORM);
  return value.resval.rint;
}

} // namespace qvtest
