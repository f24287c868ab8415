// The sort of record chains: the records' order texts taken out once into one array and sorted
// there, then the records relinked; a merge over the chain's own links when that array cannot be
// had.
#include "records/record_sort.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

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

// One record's place in the sorting array. A short order text is copied into the entry itself, so
// that comparisons read memory the sort is already moving instead of values scattered over the
// heap; a longer one is compared where it lies.
struct SortEntry {
  static constexpr size_t kInline = 22;
  char inlineText[kInline];
  uint8_t inlineLength; // kInline + 1: the text is longer and is read through text
  const char* text;
  size_t length;
  IQvUniRecord* record;

  void set(IQvUniRecord* r, const char* fieldName) {
    const OrderText order = orderTextOf(r, fieldName);
    record = r;
    text = order.text;
    length = order.length;
    if (order.length <= kInline) {
      std::memcpy(inlineText, order.text, order.length);
      inlineLength = static_cast<uint8_t>(order.length);
    } else {
      inlineLength = kInline + 1;
    }
  }
  const char* orderText() const { return inlineLength <= kInline ? inlineText : text; }
};

// Sorts through an array of entries; false, with the chain untouched, when the array cannot be
// allocated.
bool sortThroughArray(IQvUniRecord** head, const char* fieldName, int descending) {
  size_t count = 0;
  for (const IQvUniRecord* r = *head; r != nullptr; r = r->next()) {
    ++count;
  }
  SortEntry* entries = new (std::nothrow) SortEntry[count];
  if (entries == nullptr) {
    return false;
  }
  size_t i = 0;
  for (IQvUniRecord* r = *head; r != nullptr; r = r->next()) {
    entries[i++].set(r, fieldName);
  }
  // std::stable_sort takes a buffer of its own when it can, and sorts in place, more slowly, when
  // it cannot: the order is the same either way.
  const int direction = descending != 0 ? -1 : 1;
  std::stable_sort(entries, entries + count, [direction](const SortEntry& a, const SortEntry& b) {
    return direction * compareNatural(a.orderText(), a.length, b.orderText(), b.length) < 0;
  });
  for (i = 0; i + 1 < count; ++i) {
    entries[i].record->setNext(entries[i + 1].record);
  }
  entries[count - 1].record->setNext(nullptr);
  *head = entries[0].record;
  delete[] entries;
  return true;
}

// The bottom-up merge sort over the chain's own links, done depth first: runs[k] holds a sorted
// run of 2^k records or nothing, like the digits of a binary counter. Each record taken from the
// chain is carried up through the full slots, the older run always merged as the first chain, so
// that small merges happen while their records are still in the cache. Needs no memory, but its
// comparisons chase values over the heap.
void sortChain(IQvUniRecord** head, const char* fieldName, int descending) {
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
  if (!sortThroughArray(head, fieldName, descending)) {
    sortChain(head, fieldName, descending);
  }
}

} // namespace qv
