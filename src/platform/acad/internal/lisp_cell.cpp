// Reference counting of the interpreter's cells, with releases that never recurse.
#include "platform/acad/internal/lisp_cell.h"

#include <atomic>
#include <mutex>
#include <new>
#include <vector>

#include "platform/acad/internal/selection_sets.h"

#if defined(__SANITIZE_ADDRESS__)
#define QV_LISP_CELL_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_LISP_CELL_POOL 0
#endif
#endif
#ifndef QV_LISP_CELL_POOL
#define QV_LISP_CELL_POOL 1
#endif

namespace sim::detail {
namespace {

// Cells made less cells freed, counted per thread so that counting needs no locked instruction
// (an evaluation makes and frees a cell for nearly every number). Each thread's count lives on
// the heap and stays in the list after the thread ends: a destructor run at the end of a thread
// cannot be trusted with thread-local memory everywhere (MinGW's threads free it first, and a
// count retired from there was lost). A cell may be freed by another thread than the one that
// made it, so a thread's count may be negative.
struct CellCounts {
  std::mutex mutex;
  std::vector<const std::atomic<int64_t>*> threads;
};
CellCounts& cellCounts() {
  static CellCounts* const counts = new CellCounts; // kept: threads may end after static ones go
  return *counts;
}
thread_local std::atomic<int64_t>* threadCells = nullptr;

void countCells(int64_t change) {
  if (threadCells == nullptr) {
    auto* cells = new std::atomic<int64_t>(0); // kept: see above
    CellCounts& counts = cellCounts();
    std::lock_guard<std::mutex> lock(counts.mutex);
    counts.threads.push_back(cells);
    threadCells = cells;
  }
  // Only this thread writes its count; others read it.
  threadCells->store(threadCells->load(std::memory_order_relaxed) + change,
                     std::memory_order_relaxed);
}

// Freed cells kept for reuse by this thread, linked through their first bytes: an evaluation
// makes and frees a cell for nearly every number it computes. Off under AddressSanitizer, so that
// a use after free is still caught. The pool gives its memory back when the thread ends.
constexpr size_t kSpareCells = QV_LISP_CELL_POOL ? 4096 : 0;
struct SpareCell {
  SpareCell* next;
};
thread_local SpareCell* spareCells = nullptr;
thread_local size_t spareCount = 0;
thread_local bool poolClosed = false;
struct SparePool {
  ~SparePool() {
    poolClosed = true;
    while (spareCells != nullptr) {
      ::operator delete(std::exchange(spareCells, spareCells->next));
    }
    spareCount = 0;
  }
};
thread_local SparePool sparePool;

void* cellMemory() {
  if (spareCells != nullptr) {
    --spareCount;
    return std::exchange(spareCells, spareCells->next);
  }
  (void)&sparePool; // made with the thread's first cell, so that it ends with the thread
  return ::operator new(sizeof(LispCell));
}

void freeCell(LispCell* cell) {
  cell->~LispCell();
  if (spareCount >= kSpareCells || poolClosed) {
    ::operator delete(cell);
    return;
  }
  spareCells = new (cell) SpareCell{spareCells};
  ++spareCount;
}

// Cells whose last reference went, waiting to give up their own references, linked through
// nextDying. Only the outermost release in a thread drains the list, so a list a million deep
// costs a million loop turns, not frames, and freeing needs no memory.
thread_local LispCell* dying = nullptr;
thread_local bool draining = false;

} // namespace

void releaseLispCell(LispCell* cell) {
  cell->nextDying = dying;
  dying = cell;
  if (draining) {
    return;
  }
  draining = true;
  int64_t freed = 0;
  while (dying != nullptr) {
    LispCell* next = dying;
    dying = next->nextDying;
    for (LispRef* child : {&next->car, &next->cdr, &next->value}) {
      LispCell* owned = child->detach();
      if (owned != nullptr && --owned->refs == 0) {
        owned->nextDying = dying;
        dying = owned;
      }
    }
    if (next->kind == LispKind::SelectionSet && next->integer == kOwnsSelectionSet) {
      releaseLispSelectionSet(next->name);
    }
    freeCell(next);
    ++freed;
  }
  countCells(-freed);
  draining = false;
}

namespace {

LispCell* newCell(LispKind kind) {
  LispCell* cell = new (cellMemory()) LispCell;
  cell->kind = kind;
  countCells(1);
  return cell;
}

} // namespace

LispRef makeInteger(int32_t value) {
  LispRef cell(newCell(LispKind::Integer));
  cell->integer = value;
  return cell;
}

LispRef makeReal(double value) {
  LispRef cell(newCell(LispKind::Real));
  cell->real = value;
  return cell;
}

LispRef makeString(std::string text) {
  LispRef cell(newCell(LispKind::String));
  cell->text = std::move(text);
  return cell;
}

LispRef cons(LispRef car, LispRef cdr, int line) {
  LispRef cell(newCell(LispKind::Cons));
  cell->car = std::move(car);
  cell->cdr = std::move(cdr);
  cell->line = line;
  return cell;
}

LispRef lispSelectionSetValue(const int64_t name[2]) {
  LispRef value = makeOpaque(LispKind::SelectionSet, name[0], name[1]);
  value->integer = holdForLisp(name) ? kOwnsSelectionSet : 0;
  return value;
}

LispRef makeOpaque(LispKind kind, int64_t first, int64_t second) {
  LispRef cell(newCell(kind));
  cell->name[0] = first;
  cell->name[1] = second;
  return cell;
}

LispRef makeCell(LispKind kind) {
  return LispRef(newCell(kind));
}

int64_t liveLispCells() {
  CellCounts& counts = cellCounts();
  std::lock_guard<std::mutex> lock(counts.mutex);
  int64_t live = 0;
  for (const std::atomic<int64_t>* count : counts.threads) {
    live += count->load(std::memory_order_relaxed);
  }
  return live;
}

void LispListBuilder::add(LispRef item) {
  LispRef node = cons(std::move(item), LispRef());
  LispCell* raw = node.get();
  if (last_ == nullptr) {
    head_ = std::move(node);
  } else {
    last_->cdr = std::move(node);
  }
  last_ = raw;
}

void LispListBuilder::setTail(LispRef tail) {
  if (last_ == nullptr) {
    head_ = std::move(tail);
  } else {
    last_->cdr = std::move(tail);
  }
}

LispRef LispListBuilder::take() {
  last_ = nullptr;
  return std::move(head_);
}

} // namespace sim::detail
