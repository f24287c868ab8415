// The result lists of the module's functions, built in host result buffers.
#include "module/lisp_result.h"

#include <climits>

#include "module/lisp_args.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

LispResult::~LispResult() {
  acutRelRb(head_);
}

resbuf* LispResult::add(int type) {
  if (failed_) {
    return nullptr;
  }
  resbuf* item = acutNewRb(type);
  if (item == nullptr) {
    failed_ = true;
    return nullptr;
  }
  if (tail_ == nullptr) {
    head_ = item;
  } else {
    tail_->rbnext = item;
  }
  tail_ = item;
  return item;
}

bool LispResult::text(const char* text) {
  if (text == nullptr) {
    return nil();
  }
  resbuf* item = add(RTSTR);
  if (item == nullptr) {
    return false;
  }
  item->resval.rstring = acad_strdup(text);
  if (item->resval.rstring == nullptr) {
    failed_ = true;
  }
  return !failed_;
}

bool LispResult::real(double value) {
  resbuf* item = add(RTREAL);
  if (item != nullptr) {
    item->resval.rreal = value;
  }
  return item != nullptr;
}

bool LispResult::integer(int value) {
  if (value < SHRT_MIN || value > SHRT_MAX) {
    return real(value);
  }
  resbuf* item = add(RTSHORT);
  if (item != nullptr) {
    item->resval.rint = static_cast<short>(value);
  }
  return item != nullptr;
}

int LispResult::answer() {
  if (failed_) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  if (head_ == nullptr) {
    return acedRetNil();
  }
  if (head_->restype != RTLB) {
    return acedRetVal(head_);
  }
  resbuf* before = head_;
  while (before->rbnext != tail_) {
    before = before->rbnext;
  }
  if (before == head_) {
    return acedRetNil();
  }
  // The host brackets the items itself: hand it the inside of the list, then link the end back.
  before->rbnext = nullptr;
  const int status = acedRetList(head_->rbnext);
  before->rbnext = tail_;
  return status;
}

int answerText(const char* text) {
  LispResult result;
  result.text(text);
  return result.answer();
}

int answerFlag(bool yes) {
  return yes ? acedRetT() : acedRetNil();
}

} // namespace qv
