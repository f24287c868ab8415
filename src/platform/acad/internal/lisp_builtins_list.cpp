// AutoLISP's list functions, and eq and equal.
#include <algorithm>
#include <cmath>

#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"

namespace sim::detail {

bool lispEq(const LispRef& a, const LispRef& b) {
  if (a == b) {
    return true;
  }
  return isKind(a, LispKind::Integer) && isKind(b, LispKind::Integer) && a->integer == b->integer;
}

bool lispEqual(const LispRef& first, const LispRef& second, double fuzz) {
  // Lists nest without bound: the pairs still to compare are kept on a stack of their own.
  std::vector<std::pair<const LispCell*, const LispCell*>> pending{{first.get(), second.get()}};
  while (!pending.empty()) {
    auto [a, b] = pending.back();
    pending.pop_back();
    if (a == b) {
      continue;
    }
    if (a == nullptr || b == nullptr) {
      return false;
    }
    const bool aNumber = a->kind == LispKind::Integer || a->kind == LispKind::Real;
    const bool bNumber = b->kind == LispKind::Integer || b->kind == LispKind::Real;
    if (aNumber && bNumber) {
      const double x = a->kind == LispKind::Integer ? a->integer : a->real;
      const double y = b->kind == LispKind::Integer ? b->integer : b->real;
      if (!(std::fabs(x - y) <= fuzz)) {
        return false;
      }
      continue;
    }
    if (a->kind != b->kind) {
      return false;
    }
    switch (a->kind) {
    case LispKind::String:
      if (a->text != b->text) {
        return false;
      }
      break;
    case LispKind::Cons:
      pending.push_back({a->cdr.get(), b->cdr.get()});
      pending.push_back({a->car.get(), b->car.get()});
      break;
    case LispKind::EntityName:
    case LispKind::SelectionSet:
      if (a->name[0] != b->name[0] || a->name[1] != b->name[1]) {
        return false;
      }
      break;
    default:
      return false; // symbols, functions, files: only the same object is equal
    }
  }
  return true;
}

namespace {

// The elements of a proper list (a dotted tail is left out).
LispArgs elements(LispMachine& machine, const LispRef& list) {
  LispArgs out;
  for (const LispCell* rest = needList(machine, list).get();
       rest != nullptr && rest->kind == LispKind::Cons; rest = rest->cdr.get()) {
    out.push_back(rest->car);
  }
  return out;
}

LispRef listOf(const LispArgs& items, size_t from = 0) {
  LispListBuilder list;
  for (size_t i = from; i < items.size(); ++i) {
    list.add(items[i]);
  }
  return list.take();
}

// car, cdr and their combinations: the letters between c and r, applied from the right.
template <char... Letters> LispRef cxr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  static constexpr char path[] = {Letters...};
  LispRef value = args[0];
  for (size_t i = sizeof...(Letters); i-- > 0;) {
    if (!value) {
      return value;
    }
    if (!isCons(value)) {
      machine.badArgument("consp", value);
    }
    value = path[i] == 'a' ? LispRef(value->car) : LispRef(value->cdr);
  }
  return value;
}

template <char... Letters> void defineCxr(LispMachine& machine) {
  static const std::string name = std::string("c") + std::string{Letters...} + "r";
  machine.defineSubr(name.c_str(), cxr<Letters...>);
}

LispRef consSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  return cons(args[0], args[1]);
}

LispRef listSubr(LispMachine&, LispArgs& args) {
  return listOf(args);
}

LispRef appendSubr(LispMachine& machine, LispArgs& args) {
  LispListBuilder list;
  for (size_t i = 0; i < args.size(); ++i) {
    needList(machine, args[i]);
    if (i + 1 == args.size()) {
      list.setTail(args[i]); // the last list is shared, not copied
    } else {
      for (const LispRef& item : elements(machine, args[i])) {
        list.add(item);
      }
    }
  }
  return list.take();
}

LispRef assocSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  for (const LispRef& item : elements(machine, args[1])) {
    if (isCons(item) && lispEqual(item->car, args[0], 0.0)) {
      return item;
    }
  }
  return LispRef();
}

LispRef memberSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  needList(machine, args[1]);
  for (const LispCell* rest = args[1].get(); rest != nullptr && rest->kind == LispKind::Cons;
       rest = rest->cdr.get()) {
    if (lispEqual(rest->car, args[0], 0.0)) {
      return LispRef(const_cast<LispCell*>(rest));
    }
  }
  return LispRef();
}

LispRef nthSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const int32_t index = needInteger(machine, args[0]);
  const LispCell* rest = needList(machine, args[1]).get();
  for (int32_t i = 0; i < index && rest != nullptr && rest->kind == LispKind::Cons; ++i) {
    rest = rest->cdr.get();
  }
  return index >= 0 && rest != nullptr && rest->kind == LispKind::Cons ? rest->car : LispRef();
}

LispRef lengthSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeInteger(static_cast<int32_t>(elements(machine, args[0]).size()));
}

LispRef reverseSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  LispRef reversed;
  for (const LispRef& item : elements(machine, args[0])) {
    reversed = cons(item, std::move(reversed));
  }
  return reversed;
}

LispRef lastSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  LispArgs items = elements(machine, args[0]);
  return items.empty() ? LispRef() : items.back();
}

LispRef substSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 3, 3);
  LispListBuilder list;
  for (const LispRef& item : elements(machine, args[2])) {
    list.add(lispEqual(item, args[1], 0.0) ? args[0] : item);
  }
  return list.take();
}

LispRef positionSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  LispArgs items = elements(machine, args[1]);
  for (size_t i = 0; i < items.size(); ++i) {
    if (lispEqual(items[i], args[0], 0.0)) {
      return makeInteger(static_cast<int32_t>(i));
    }
  }
  return LispRef();
}

LispRef removeSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  LispListBuilder list;
  for (const LispRef& item : elements(machine, args[1])) {
    if (!lispEqual(item, args[0], 0.0)) {
      list.add(item);
    }
  }
  return list.take();
}

LispRef sortSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  LispArgs items = elements(machine, args[0]);
  // A merge sort by the caller's function; an error in it unwinds with the vector intact.
  LispArgs scratch(items.size());
  for (size_t width = 1; width < items.size(); width *= 2) {
    for (size_t low = 0; low < items.size(); low += 2 * width) {
      const size_t mid = std::min(low + width, items.size());
      const size_t high = std::min(low + 2 * width, items.size());
      size_t i = low, j = mid, out = low;
      while (i < mid && j < high) {
        LispArgs pair{items[j], items[i]};
        scratch[out++] = machine.apply(args[1], pair) ? items[j++] : items[i++];
      }
      while (i < mid) {
        scratch[out++] = items[i++];
      }
      while (j < high) {
        scratch[out++] = items[j++];
      }
    }
    std::swap(items, scratch);
  }
  // AutoLISP drops the second of two neighbours that are eq (equal integers, the same object).
  LispListBuilder list;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i == 0 || !lispEq(items[i], items[i - 1]) || !isKind(items[i], LispKind::Integer)) {
      list.add(items[i]);
    }
  }
  return list.take();
}

LispRef eqSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  return machine.truth(lispEq(args[0], args[1]));
}

LispRef equalSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 3);
  const double fuzz = args.size() == 3 ? needNumber(machine, args[2]) : 0.0;
  return machine.truth(lispEqual(args[0], args[1], fuzz));
}

} // namespace

void defineListFunctions(LispMachine& machine) {
  defineCxr<'a'>(machine);
  defineCxr<'d'>(machine);
  defineCxr<'a', 'a'>(machine);
  defineCxr<'a', 'd'>(machine);
  defineCxr<'d', 'a'>(machine);
  defineCxr<'d', 'd'>(machine);
  defineCxr<'a', 'a', 'a'>(machine);
  defineCxr<'a', 'a', 'd'>(machine);
  defineCxr<'a', 'd', 'a'>(machine);
  defineCxr<'a', 'd', 'd'>(machine);
  defineCxr<'d', 'a', 'a'>(machine);
  defineCxr<'d', 'a', 'd'>(machine);
  defineCxr<'d', 'd', 'a'>(machine);
  defineCxr<'d', 'd', 'd'>(machine);
  defineCxr<'a', 'a', 'a', 'a'>(machine);
  defineCxr<'a', 'a', 'a', 'd'>(machine);
  defineCxr<'a', 'a', 'd', 'a'>(machine);
  defineCxr<'a', 'a', 'd', 'd'>(machine);
  defineCxr<'a', 'd', 'a', 'a'>(machine);
  defineCxr<'a', 'd', 'a', 'd'>(machine);
  defineCxr<'a', 'd', 'd', 'a'>(machine);
  defineCxr<'a', 'd', 'd', 'd'>(machine);
  defineCxr<'d', 'a', 'a', 'a'>(machine);
  defineCxr<'d', 'a', 'a', 'd'>(machine);
  defineCxr<'d', 'a', 'd', 'a'>(machine);
  defineCxr<'d', 'a', 'd', 'd'>(machine);
  defineCxr<'d', 'd', 'a', 'a'>(machine);
  defineCxr<'d', 'd', 'a', 'd'>(machine);
  defineCxr<'d', 'd', 'd', 'a'>(machine);
  defineCxr<'d', 'd', 'd', 'd'>(machine);
  machine.defineSubr("cons", consSubr);
  machine.defineSubr("list", listSubr);
  machine.defineSubr("append", appendSubr);
  machine.defineSubr("assoc", assocSubr);
  machine.defineSubr("member", memberSubr);
  machine.defineSubr("nth", nthSubr);
  machine.defineSubr("length", lengthSubr);
  machine.defineSubr("reverse", reverseSubr);
  machine.defineSubr("last", lastSubr);
  machine.defineSubr("subst", substSubr);
  machine.defineSubr("vl-position", positionSubr);
  machine.defineSubr("vl-remove", removeSubr);
  machine.defineSubr("vl-sort", sortSubr);
  machine.defineSubr("eq", eqSubr);
  machine.defineSubr("equal", equalSubr);
}

} // namespace sim::detail
