// Result-buffer lists the host hands a test, and the host's ERRNO after a call.
#pragma once

#include "platform/acad/adsdef.h"

namespace qvtest {

// A list released through the host at the end of the scope.
struct List {
  resbuf* head = nullptr;
  explicit List(resbuf* list) : head(list) {}
  ~List();
  List(const List&) = delete;
  List& operator=(const List&) = delete;
};

// The nth item of type code in a list; null when missing.
const resbuf* group(const resbuf* list, int code, int nth = 0);

// The host's ERRNO system variable.
int errnoValue();

} // namespace qvtest
