// The merge sort of record chains over their own next links.
#include "records/record_sort.h"

#include <cstddef>

#include "records/internal/no_case.h"
#include "records/natural_compare.h"

namespace qv {

namespace {

// Values of up to this many characters take part in ordering, as in compareByField.
constexpr size_t kOrderedLength = 255;

// The text a record is ordered by (its id, or its value of the field; empty when missing), cut
// to the ordered length. Merging keeps these for the two records it is comparing, so that each
// record's field is looked up once per step rather than once per comparison.
struct OrderText {
  const char* text = "";
  size_t length = 0;
};

OrderText orderTextOf(const IQvUniRecord* record, const char* fieldName) {
  const char* text = nullptr;
  if (fieldName == nullptr) {
    text = record->getId();
  } else {
    for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
      if (equalsNoCase(field->getName(), fieldName)) {
        text = field->getValue();
        break;
      }
    }
  }
  OrderText order;
  if (text != nullptr) {
    order.text = text;
    while (order.length < kOrderedLength && text[order.length] != '\0') {
      ++order.length;
    }
  }
  return order;
}

// Merges chain b into chain a: each record of b goes in before the first record of a, from where
// the previous one went in, that compares strictly greater (compareByField > 0). The walk along
// a never goes back.
IQvUniRecord* mergeChains(IQvUniRecord* a, IQvUniRecord* b, const char* fieldName, int descending) {
  if (a == nullptr) {
    return b;
  }
  if (b == nullptr) {
    return a;
  }
  IQvUniRecord* head = a;
  IQvUniRecord* previous = nullptr;
  IQvUniRecord* cursor = a;
  OrderText cursorText = orderTextOf(cursor, fieldName);
  IQvUniRecord* x = b;
  while (x != nullptr) {
    const OrderText xText = orderTextOf(x, fieldName);
    for (;;) {
      const int order =
          compareNatural(cursorText.text, cursorText.length, xText.text, xText.length);
      if ((descending != 0 ? -order : order) > 0) {
        break;
      }
      previous = cursor;
      cursor = cursor->next();
      if (cursor == nullptr) {
        // a is used up: the rest of b is in order and still linked; it hangs on whole.
        previous->setNext(x);
        return head;
      }
      cursorText = orderTextOf(cursor, fieldName);
    }
    IQvUniRecord* following = x->next();
    x->setNext(cursor);
    if (previous == nullptr) {
      head = x;
    } else {
      previous->setNext(x);
    }
    previous = x;
    x = following;
  }
  return head;
}

} // namespace

IQvUniRecord* takeRecords(IQvUniRecord** head, int n) {
  if (head == nullptr || *head == nullptr || n <= 0) {
    return nullptr;
  }
  IQvUniRecord* taken = *head;
  IQvUniRecord* last = taken;
  for (int i = 1; i < n && last->next() != nullptr; ++i) {
    last = last->next();
  }
  *head = last->next();
  last->setNext(nullptr);
  // setNext forgets where appends through the head start, which may lie in the part left behind.
  taken->setNext(taken->next());
  return taken;
}

IQvUniRecord* mergeRecords(IQvUniRecord* a, IQvUniRecord* b, const char* fieldName,
                           int descending) {
  return mergeChains(a, b, fieldName, descending);
}

void sortRecords(IQvUniRecord** head, const char* fieldName, int descending) {
  if (head == nullptr || *head == nullptr) {
    return;
  }
  // The bottom-up merge sort, done depth first: runs[k] holds a sorted run of 2^k records or
  // nothing, like the digits of a binary counter. Each record taken from the chain is carried
  // up through the full slots, the older run always merged as the first chain. This merges the
  // same pairs of runs as merging runs of width 1, 2, 4, ... pass by pass from the front, so the
  // order is the same, but small merges happen while their records are still in the cache.
  IQvUniRecord* runs[64] = {};
  IQvUniRecord* rest = *head;
  while (rest != nullptr) {
    IQvUniRecord* run = rest;
    rest = rest->next();
    run->setNext(nullptr);
    size_t k = 0;
    for (; runs[k] != nullptr; ++k) {
      run = mergeChains(runs[k], run, fieldName, descending);
      runs[k] = nullptr;
    }
    runs[k] = run;
  }
  // What is left are the runs of the chain's end, shortest last; they merge from the end forward.
  IQvUniRecord* sorted = nullptr;
  for (IQvUniRecord* run : runs) {
    if (run != nullptr) {
      sorted = mergeChains(run, sorted, fieldName, descending);
    }
  }
  *head = sorted;
}

} // namespace qv
