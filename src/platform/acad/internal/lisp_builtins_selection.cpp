// AutoLISP's selection sets and picks: ssget, sslength, ssname, ssadd, ssdel, ssmemb, entsel.
// The sets they make go with the last value that holds them.
#include <deque>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/selection_filter.h"
#include "platform/acad/internal/selection_get.h"
#include "platform/acad/internal/selection_sets.h"

namespace sim::detail {
namespace {

LispRef ownedSet(const ads_name name) {
  return lispSelectionSetValue(name);
}

LispRef entityName(const ads_name name) {
  return makeOpaque(LispKind::EntityName, name[0], name[1]);
}

const LispRef& needSet(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::SelectionSet)) {
    machine.badArgument("lselsetp", value);
  }
  return value;
}

const LispRef& needEntity(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::EntityName)) {
    machine.badArgument("lentityp", value);
  }
  return value;
}

// A list of two or three numbers.
bool readPoint(const LispRef& value, ads_point point) {
  int count = 0;
  point[2] = 0.0;
  for (LispRef rest = value; rest; rest = cdr(rest)) {
    if (!isCons(rest) || !isNumber(car(rest)) || count == 3) {
      return false;
    }
    const LispCell* number = car(rest).get();
    point[count++] = number->kind == LispKind::Integer ? number->integer : number->real;
  }
  return count >= 2;
}

// Result buffers owned here: a filter list or a list of points for the host's selection.
class HeldList {
public:
  resbuf& add(int type) {
    items_.emplace_back();
    resbuf& item = items_.back();
    item = resbuf{};
    item.restype = static_cast<short>(type);
    if (items_.size() > 1) {
      items_[items_.size() - 2].rbnext = &item;
    }
    return item;
  }
  char* keep(const std::string& text) {
    texts_.push_back(text);
    return texts_.back().data();
  }
  const resbuf* head() const { return items_.empty() ? nullptr : &items_.front(); }

private:
  std::deque<resbuf> items_;
  std::deque<std::string> texts_;
};

// The host's form of an AutoLISP filter list: (code . value) pairs, (code x y z) points,
// (-3 ("APP") ...) for extended data.
void readFilter(LispMachine& machine, const LispRef& list, HeldList& filter) {
  for (LispRef rest = list; rest; rest = cdr(rest)) {
    const LispRef& pair = car(rest);
    if (!isCons(rest) || !isCons(pair) || !isKind(car(pair), LispKind::Integer)) {
      machine.fail("bad SSGET list");
    }
    const int code = car(pair)->integer;
    const LispRef& value = cdr(pair);
    if (code == -3) {
      filter.add(-3);
      for (LispRef app = value; app; app = cdr(app)) {
        if (!isCons(app) || !isKind(car(car(app)), LispKind::String)) {
          machine.fail("bad SSGET list");
        }
        filter.add(1001).resval.rstring = filter.keep(car(car(app))->text);
      }
      continue;
    }
    resbuf& item = filter.add(code);
    bool fits = false;
    switch (code == -4 ? FilterValueKind::String : filterValueKind(code)) {
    case FilterValueKind::String:
      fits = isKind(value, LispKind::String);
      if (fits) {
        item.resval.rstring = filter.keep(value->text);
      }
      break;
    case FilterValueKind::Real:
      fits = isNumber(value);
      if (fits) {
        item.resval.rreal = value->kind == LispKind::Integer ? value->integer : value->real;
      }
      break;
    case FilterValueKind::Integer:
      fits = isKind(value, LispKind::Integer);
      if (fits && ((code >= 90 && code <= 99) || code == 1071)) {
        item.resval.rlong = value->integer;
      } else if (fits) {
        item.resval.rint = static_cast<short>(value->integer);
      }
      break;
    case FilterValueKind::Point:
    case FilterValueKind::Vector:
      fits = readPoint(value, item.resval.rpoint);
      break;
    case FilterValueKind::Name:
      fits = isKind(value, LispKind::EntityName);
      if (fits) {
        item.resval.rlname[0] = value->name[0];
        item.resval.rlname[1] = value->name[1];
      }
      break;
    case FilterValueKind::None:
      fits = true; // the host refuses the code itself
      break;
    }
    if (!fits) {
      machine.fail("bad SSGET list");
    }
  }
}

// (ssget [mode] [point [point]] [filter]) or (ssget point) or (ssget filter).
LispRef ssgetSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 4);
  size_t at = 0;
  std::string mode;
  const bool hasMode = !args.empty() && isKind(args[0], LispKind::String);
  if (hasMode) {
    mode = args[at++]->text;
  }
  ads_point first{}, second{};
  HeldList points;
  const void* pt1 = nullptr;
  const void* pt2 = nullptr;
  if (at < args.size() && readPoint(args[at], first)) {
    pt1 = first;
    ++at;
    if (at < args.size() && readPoint(args[at], second)) {
      pt2 = second;
      ++at;
    }
  } else if (hasMode && at < args.size() && isCons(args[at]) && readPoint(car(args[at]), first)) {
    for (LispRef rest = args[at]; rest; rest = cdr(rest)) {
      resbuf& item = points.add(RT3DPOINT);
      if (!readPoint(car(rest), item.resval.rpoint)) {
        machine.fail("bad point argument");
      }
    }
    pt1 = points.head();
    ++at;
  }
  HeldList filter;
  if (at < args.size()) {
    readFilter(machine, needList(machine, args[at++]), filter);
  }
  if (at < args.size()) {
    machine.fail("too many arguments");
  }
  ads_name set;
  const int status =
      selectEntities(hasMode ? mode.c_str() : nullptr, pt1, pt2, filter.head(), set, true);
  if (status == RTCAN) {
    machine.fail("Function cancelled");
  }
  if (status != RTNORM) {
    const int error = host().sysVars["ERRNO"].shortValue;
    if (error >= kFilterPrematureEnd && error <= kFilterBadIntegerTest) {
      machine.fail("bad SSGET list");
    }
    if (error == 98) {
      machine.fail("bad SSGET mode string");
    }
    return LispRef();
  }
  return ownedSet(set);
}

LispRef sslengthSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const LispRef& set = needSet(machine, args[0]);
  const SelectionSet* found = findSelectionSet(set->name);
  return found ? makeInteger(static_cast<int32_t>(found->members.size())) : LispRef();
}

LispRef ssnameSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const LispRef& set = needSet(machine, args[0]);
  const double index = needNumber(machine, args[1]);
  const SelectionSet* found = findSelectionSet(set->name);
  if (found == nullptr || index < 0 || index >= static_cast<double>(found->members.size())) {
    return LispRef();
  }
  const EntityKey& member = found->members[static_cast<size_t>(index)];
  const ads_name name = {member[0], member[1]};
  return entityName(name);
}

// (ssadd), (ssadd ename), (ssadd ename ss): a new set, or ss with the entity added.
LispRef ssaddSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 2);
  if (!args.empty() && !isSelectableEntity(needEntity(machine, args[0])->name)) {
    return LispRef();
  }
  if (args.size() == 2) {
    SelectionSet* found = findSelectionSet(needSet(machine, args[1])->name);
    if (found == nullptr) {
      return LispRef();
    }
    found->add({args[0]->name[0], args[0]->name[1]});
    return args[1];
  }
  ads_name made;
  SelectionSet* set = newSelectionSet(made, true);
  if (set == nullptr) {
    return LispRef();
  }
  if (!args.empty()) {
    set->add({args[0]->name[0], args[0]->name[1]});
  }
  return ownedSet(made);
}

LispRef ssdelSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const LispRef& entity = needEntity(machine, args[0]);
  SelectionSet* found = findSelectionSet(needSet(machine, args[1])->name);
  return found && found->remove({entity->name[0], entity->name[1]}) ? args[1] : LispRef();
}

LispRef ssmembSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const LispRef& entity = needEntity(machine, args[0]);
  SelectionSet* found = findSelectionSet(needSet(machine, args[1])->name);
  return found && found->contains({entity->name[0], entity->name[1]}) ? args[0] : LispRef();
}

// (entsel [prompt]): (ename (x y z)), or nil for a miss or Enter.
LispRef entselSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 1);
  const std::string prompt = args.empty() ? "\nSelect object: " : needString(machine, args[0]);
  ads_name entity;
  ads_point point;
  const int status = pickEntity(prompt.c_str(), entity, point, "entsel");
  if (status == RTCAN) {
    machine.fail("Function cancelled");
  }
  if (status != RTNORM) {
    return LispRef();
  }
  LispListBuilder where;
  for (const double coordinate : point) {
    where.add(makeReal(coordinate));
  }
  LispListBuilder result;
  result.add(entityName(entity));
  result.add(where.take());
  return result.take();
}

} // namespace

void defineSelectionFunctions(LispMachine& machine) {
  machine.defineSubr("ssget", ssgetSubr);
  machine.defineSubr("sslength", sslengthSubr);
  machine.defineSubr("ssname", ssnameSubr);
  machine.defineSubr("ssadd", ssaddSubr);
  machine.defineSubr("ssdel", ssdelSubr);
  machine.defineSubr("ssmemb", ssmembSubr);
  machine.defineSubr("entsel", entselSubr);
}

} // namespace sim::detail
