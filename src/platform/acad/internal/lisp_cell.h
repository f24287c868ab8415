// The values of the stand-in's AutoLISP interpreter: reference-counted cells. AutoLISP has no
// way to change a list in place, so cells form no cycles except through symbols' values; a
// machine breaks those when it ends (LispMachine). Releasing a long or deeply nested list walks
// it with a work list, never with the C++ stack.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sim::detail {

class LispMachine;
struct LispCell;

// An owning pointer to a cell; null is nil.
class LispRef {
public:
  LispRef() = default;
  explicit LispRef(LispCell* cell); // takes a new reference
  LispRef(const LispRef& other);
  LispRef(LispRef&& other) noexcept : cell_(std::exchange(other.cell_, nullptr)) {}
  LispRef& operator=(const LispRef& other);
  LispRef& operator=(LispRef&& other) noexcept;
  ~LispRef();

  LispCell* get() const { return cell_; }
  LispCell* operator->() const { return cell_; }
  explicit operator bool() const { return cell_ != nullptr; }
  bool operator==(const LispRef& other) const { return cell_ == other.cell_; }
  // Gives up the reference without releasing it.
  LispCell* detach() { return std::exchange(cell_, nullptr); }

private:
  LispCell* cell_ = nullptr;
};

using LispArgs = std::vector<LispRef>;
// A built-in function: arguments evaluated, or (special forms) the unevaluated argument list.
using LispSubr = LispRef (*)(LispMachine& machine, LispArgs& args);
using LispSpecial = LispRef (*)(LispMachine& machine, const LispRef& form);

enum class LispKind : uint8_t {
  Integer,
  Real,
  String,
  Symbol,
  Cons,
  EntityName,
  SelectionSet,
  File,
  Subr,
  UserFunction,
  CatchAllError // what vl-catch-all-apply returns for an error; text is the message
};

struct LispCell {
  int32_t refs = 0;
  LispKind kind = LispKind::Integer;
  int32_t line = 0;     // Cons: where the reader found it (0: made while running)
  int32_t integer = 0;  // Integer; SelectionSet: kOwnsSelectionSet when the set goes with it
  double real = 0.0;    // Real
  int64_t name[2] = {}; // EntityName, SelectionSet, File (a handle of the host)
  std::string text;     // String; Symbol, Subr, UserFunction: the upper-cased name
  LispRef car, cdr;     // Cons; UserFunction: parameter list and body
  LispRef value;        // Symbol: its value in the machine's document
  LispSubr subr = nullptr;
  LispSpecial special = nullptr;
  LispCell* nextDying = nullptr; // links the cells being freed, so freeing allocates nothing
};

// Frees a cell whose last reference went (and what only it held).
void releaseLispCell(LispCell* cell);

// The reference counting is inline: evaluation copies and drops references at every step.
inline LispRef::LispRef(LispCell* cell) : cell_(cell) {
  if (cell_ != nullptr) {
    ++cell_->refs;
  }
}
inline LispRef::LispRef(const LispRef& other) : cell_(other.cell_) {
  if (cell_ != nullptr) {
    ++cell_->refs;
  }
}
inline LispRef::~LispRef() {
  if (cell_ != nullptr && --cell_->refs == 0) {
    releaseLispCell(cell_);
  }
}
inline LispRef& LispRef::operator=(const LispRef& other) {
  if (other.cell_ != nullptr) {
    ++other.cell_->refs;
  }
  LispCell* old = std::exchange(cell_, other.cell_);
  if (old != nullptr && --old->refs == 0) {
    releaseLispCell(old);
  }
  return *this;
}
inline LispRef& LispRef::operator=(LispRef&& other) noexcept {
  if (this != &other) {
    LispCell* old = std::exchange(cell_, std::exchange(other.cell_, nullptr));
    if (old != nullptr && --old->refs == 0) {
      releaseLispCell(old);
    }
  }
  return *this;
}

// A selection set's value holds the set (the set goes with the last value that holds it and
// with its application's acedSSFree).
inline constexpr int32_t kOwnsSelectionSet = 1;
LispRef lispSelectionSetValue(const int64_t name[2]);

LispRef makeInteger(int32_t value);
LispRef makeReal(double value);
LispRef makeString(std::string text);
LispRef cons(LispRef car, LispRef cdr, int line = 0);
LispRef makeOpaque(LispKind kind, int64_t first, int64_t second = 0);
// A blank cell of the kind (symbols, built-ins, user functions).
LispRef makeCell(LispKind kind);

inline bool isCons(const LispRef& value) {
  return value && value->kind == LispKind::Cons;
}
inline bool isKind(const LispRef& value, LispKind kind) {
  return value && value->kind == kind;
}
inline bool isNumber(const LispRef& value) {
  return value && (value->kind == LispKind::Integer || value->kind == LispKind::Real);
}
inline const LispRef& car(const LispRef& value) {
  static const LispRef nil;
  return isCons(value) ? value->car : nil;
}
inline const LispRef& cdr(const LispRef& value) {
  static const LispRef nil;
  return isCons(value) ? value->cdr : nil;
}
// Cells alive now in all threads' machines (tests check that sessions leave none).
int64_t liveLispCells();

// Builds a proper list at its end without walking it.
class LispListBuilder {
public:
  void add(LispRef item);
  // The list built; the builder is empty afterwards.
  LispRef take();
  // Ends the list with a dotted tail.
  void setTail(LispRef tail);

private:
  LispRef head_;
  LispCell* last_ = nullptr;
};

} // namespace sim::detail
