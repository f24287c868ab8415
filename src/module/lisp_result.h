// Building the answer of a module function as a host list and handing it to AutoLISP.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Collects the items of a result list (atoms, RTLB ... RTLE, RTDOTE) in host result buffers.
// A buffer the host cannot give marks the builder failed; every later add answers false. The
// list is released when the builder goes.
class LispResult {
public:
  LispResult() = default;
  LispResult(const LispResult&) = delete;
  LispResult& operator=(const LispResult&) = delete;
  ~LispResult();

  bool open() { return add(RTLB); }
  bool close() { return add(RTLE); }
  bool dot() { return add(RTDOTE); }
  bool nil() { return add(RTNIL); }
  // A copy of text (null: nil).
  bool text(const char* text);
  bool real(double value);
  // RTSHORT; a value outside 16 bits goes as a real, the form AutoLISP can take in a list.
  bool integer(int value);

  bool failed() const { return failed_; }
  bool empty() const { return head_ == nullptr; }
  // Answers the one value collected: a list (RTLB ... RTLE) through acedRetList, which adds the
  // outer brackets itself, so the empty list is nil; an atom through acedRetVal; nothing as nil.
  // A builder that failed prints "; error: insufficient memory" and answers nil.
  int answer();

private:
  resbuf* add(int type);

  resbuf* head_ = nullptr;
  resbuf* tail_ = nullptr;
  bool failed_ = false;
};

// Answers a copy of text (null: nil).
int answerText(const char* text);
// Answers T for yes, nil for no.
int answerFlag(bool yes);

} // namespace qv
