// The interpreter's values in the host's list form and back.
#include "platform/acad/internal/lisp_resbuf.h"

#include "platform/acad/internal/lisp_machine.h"

namespace sim::detail {
namespace {

LispRef atomFromItem(LispMachine& machine, const LispItem& item) {
  switch (item.type) {
  case RTSHORT:
  case RTLONG:
    return makeInteger(item.integer);
  case RTREAL:
  case RTANG:
  case RTORINT:
    return makeReal(item.real);
  case RTSTR:
    return makeString(item.text);
  case RTPOINT:
  case RT3DPOINT: {
    LispListBuilder point;
    point.add(makeReal(item.point[X]));
    point.add(makeReal(item.point[Y]));
    if (item.type == RT3DPOINT) {
      point.add(makeReal(item.point[Z]));
    }
    return point.take();
  }
  case RTENAME:
    return makeOpaque(LispKind::EntityName, item.name[0], item.name[1]);
  case RTPICKS:
    return lispSelectionSetValue(item.name);
  case RTT:
    return machine.t();
  default:
    return LispRef(); // RTNIL, RTVOID
  }
}

bool isPoint(const LispRef& value, size_t* count) {
  *count = 0;
  for (const LispCell* rest = value.get(); rest != nullptr; rest = rest->cdr.get()) {
    if (rest->kind != LispKind::Cons || !isKind(rest->car, LispKind::Real) || ++*count > 3) {
      return false;
    }
  }
  return *count >= 2;
}

bool appendItems(const LispRef& value, LispValue* items, int depth) {
  checkLispStack(depth, 0);
  LispItem item;
  if (!value) {
    items->push_back(atomOf(RTNIL));
    return true;
  }
  switch (value->kind) {
  case LispKind::Integer:
    item.type = value->integer >= INT16_MIN && value->integer <= INT16_MAX ? RTSHORT : RTLONG;
    item.integer = value->integer;
    break;
  case LispKind::Real:
    item.type = RTREAL;
    item.real = value->real;
    break;
  case LispKind::String:
    item.type = RTSTR;
    item.text = value->text;
    break;
  case LispKind::Symbol:
    item.type = value->text == "T" ? RTT : RTSTR;
    item.text = item.type == RTSTR ? value->text : std::string();
    break;
  case LispKind::EntityName:
  case LispKind::SelectionSet:
    item.type = value->kind == LispKind::EntityName ? RTENAME : RTPICKS;
    item.name[0] = value->name[0];
    item.name[1] = value->name[1];
    break;
  case LispKind::Cons: {
    size_t count = 0;
    if (isPoint(value, &count)) {
      item.type = count == 2 ? RTPOINT : RT3DPOINT;
      size_t i = 0;
      for (const LispCell* rest = value.get(); rest != nullptr; rest = rest->cdr.get()) {
        item.point[i++] = rest->car->real;
      }
      break;
    }
    items->push_back(atomOf(RTLB));
    const LispCell* rest = value.get();
    for (; rest != nullptr && rest->kind == LispKind::Cons; rest = rest->cdr.get()) {
      if (!appendItems(rest->car, items, depth + 1)) {
        return false;
      }
    }
    if (rest != nullptr) {
      items->push_back(atomOf(RTDOTE));
      if (!appendItems(LispRef(const_cast<LispCell*>(rest)), items, depth + 1)) {
        return false;
      }
    }
    items->push_back(atomOf(RTLE));
    return true;
  }
  default:
    return false;
  }
  items->push_back(item);
  return true;
}

} // namespace

LispRef valueFromItems(LispMachine& machine, const LispValue& items) {
  // Open lists, innermost last; a list's items gather in its builder.
  struct Open {
    LispListBuilder list;
    bool dotted = false;
  };
  std::vector<Open> open;
  LispRef result;
  for (const LispItem& item : items) {
    LispRef value;
    if (item.type == RTLB) {
      open.emplace_back();
      continue;
    }
    if (item.type == RTDOTE) {
      if (!open.empty()) {
        open.back().dotted = true;
      }
      continue;
    }
    if (item.type == RTLE) {
      if (open.empty()) {
        continue;
      }
      value = open.back().list.take();
      open.pop_back();
    } else {
      value = atomFromItem(machine, item);
    }
    if (open.empty()) {
      result = std::move(value);
    } else if (open.back().dotted) {
      open.back().list.setTail(std::move(value));
    } else {
      open.back().list.add(std::move(value));
    }
  }
  return result;
}

bool itemsFromValue(const LispRef& value, LispValue* items) {
  items->clear();
  LispStackBase stackBase;
  try {
    return appendItems(value, items, 0);
  } catch (const LispThrow&) {
    return false; // nested too deep for the host's lists
  }
}

} // namespace sim::detail
