// The bottom-up merge sort of record chains over their own next links.
#include "records/record_sort.h"

#include <cstdint>

namespace qv {

namespace {

// A run of records: its head and its last record (both null for an empty run).
struct Run {
  IQvUniRecord* head = nullptr;
  IQvUniRecord* tail = nullptr;
};

// Cuts the first n (> 0) records off *rest.
Run takeRun(IQvUniRecord** rest, int64_t n) {
  Run run;
  run.head = *rest;
  if (run.head == nullptr) {
    return run;
  }
  IQvUniRecord* last = run.head;
  for (int64_t i = 1; i < n && last->next() != nullptr; ++i) {
    last = last->next();
  }
  *rest = last->next();
  last->setNext(nullptr);
  run.tail = last;
  return run;
}

// Merges run b into run a. The walk along a never goes back: each record of b goes in before
// the first record of a, from where the previous one went in, that is strictly greater.
Run mergeRuns(Run a, Run b, const char* fieldName, int descending) {
  if (a.head == nullptr) {
    return b;
  }
  Run merged{a.head, a.tail};
  IQvUniRecord* previous = nullptr;
  IQvUniRecord* cursor = a.head;
  IQvUniRecord* x = b.head;
  while (x != nullptr) {
    while (cursor != nullptr && cursor->compareByField(x, fieldName, descending) <= 0) {
      previous = cursor;
      cursor = cursor->next();
    }
    if (cursor == nullptr) {
      // a is used up: the rest of b is already in order and linked; hang it on whole.
      previous->setNext(x);
      merged.tail = b.tail;
      return merged;
    }
    IQvUniRecord* following = x->next();
    x->setNext(cursor);
    if (previous == nullptr) {
      merged.head = x;
    } else {
      previous->setNext(x);
    }
    previous = x;
    x = following;
  }
  return merged;
}

IQvUniRecord* lastOf(IQvUniRecord* record) {
  while (record != nullptr && record->next() != nullptr) {
    record = record->next();
  }
  return record;
}

} // namespace

IQvUniRecord* takeRecords(IQvUniRecord** head, int n) {
  if (head == nullptr || *head == nullptr || n <= 0) {
    return nullptr;
  }
  Run run = takeRun(head, n);
  // setNext forgets where appends through the head start, which may now lie in the part left
  // behind.
  run.head->setNext(run.head->next());
  return run.head;
}

IQvUniRecord* mergeRecords(IQvUniRecord* a, IQvUniRecord* b, const char* fieldName,
                           int descending) {
  if (b == nullptr) {
    return a;
  }
  return mergeRuns(Run{a, lastOf(a)}, Run{b, lastOf(b)}, fieldName, descending).head;
}

void sortRecords(IQvUniRecord** head, const char* fieldName, int descending) {
  if (head == nullptr || *head == nullptr) {
    return;
  }
  const int64_t count = (*head)->countRecords();
  for (int64_t width = 1; width < count; width *= 2) {
    IQvUniRecord* rest = *head;
    Run sorted;
    while (rest != nullptr) {
      const Run a = takeRun(&rest, width);
      const Run b = takeRun(&rest, width);
      const Run merged = mergeRuns(a, b, fieldName, descending);
      if (sorted.tail == nullptr) {
        sorted.head = merged.head;
      } else {
        sorted.tail->setNext(merged.head);
      }
      sorted.tail = merged.tail;
    }
    *head = sorted.head;
  }
}

} // namespace qv
