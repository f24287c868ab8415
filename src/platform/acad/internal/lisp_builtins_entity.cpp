// AutoLISP's entity functions: entget, entmake, entmod, entdel, entlast, entnext, handent and
// regapp, through the host's ADS entity calls. Group lists are AutoLISP lists of dotted pairs
// (8 . "0"), points as (10 x y z), and extended data as (-3 ("APP" (1000 . "x") ...) ...).
#include <algorithm>
#include <cstdint>

#include "platform/acad/acdbads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/acad/internal/rb_kinds.h"

namespace sim::detail {
namespace {

// Releases a host list at the end of a scope, AutoLISP errors included.
struct OwnedList {
  resbuf* head = nullptr;
  ~OwnedList() { acutRelRb(head); }
};

LispRef nameValue(const ads_name name) {
  return makeOpaque(LispKind::EntityName, name[0], name[1]);
}

const LispCell& needEntity(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::EntityName)) {
    machine.badArgument("lentityp", value);
  }
  return *value.get();
}

// The AutoLISP value of one group: (code . value), (code x y z) for a point.
LispRef groupValue(const resbuf& item) {
  LispRef value;
  switch (rbValueKind(item.restype)) {
  case RbValueKind::String:
    value = makeString(item.resval.rstring != nullptr ? item.resval.rstring : "");
    break;
  case RbValueKind::Binary:
    value =
        makeString(std::string(item.resval.rbinary.buf,
                               static_cast<size_t>(std::max<short>(item.resval.rbinary.clen, 0))));
    break;
  case RbValueKind::Real:
    value = makeReal(item.resval.rreal);
    break;
  case RbValueKind::Point: {
    LispListBuilder point;
    for (double coordinate : item.resval.rpoint) {
      point.add(makeReal(coordinate));
    }
    return cons(makeInteger(item.restype), point.take());
  }
  case RbValueKind::Short:
    value = makeInteger(item.resval.rint);
    break;
  case RbValueKind::Long:
    value = makeInteger(item.resval.rlong);
    break;
  case RbValueKind::Name:
    value = nameValue(item.resval.rlname);
    break;
  default:
    break;
  }
  return cons(makeInteger(item.restype), value);
}

// The AutoLISP form of an entity's list, extended data gathered under -3.
LispRef listValue(const resbuf* list) {
  LispListBuilder groups;
  for (; list != nullptr && list->restype != -3; list = list->rbnext) {
    groups.add(groupValue(*list));
  }
  if (list != nullptr) {
    LispListBuilder apps;
    LispListBuilder app;
    bool open = false;
    for (const resbuf* item = list->rbnext; item != nullptr; item = item->rbnext) {
      if (item->restype == 1001) {
        if (open) {
          apps.add(app.take());
        }
        app.add(makeString(item->resval.rstring != nullptr ? item->resval.rstring : ""));
        open = true;
      } else {
        app.add(groupValue(*item));
      }
    }
    if (open) {
      apps.add(app.take());
    }
    groups.add(cons(makeInteger(-3), apps.take()));
  }
  return groups.take();
}

// Appends the host's item of one AutoLISP group; AutoLISP's "bad DXF group" error for a pair
// whose value does not suit its code.
void appendGroup(LispMachine& machine, const LispRef& pair, resbuf**& tail) {
  const LispRef& code = car(pair);
  if (!isCons(pair) || !isKind(code, LispKind::Integer)) {
    machine.fail("bad DXF group: " + printValue(pair, true));
  }
  const LispRef& value = cdr(pair);
  resbuf* item = acutNewRb(code->integer);
  if (item == nullptr) {
    machine.fail("insufficient memory");
  }
  *tail = item;
  tail = &item->rbnext;
  bool fits = true;
  switch (rbValueKind(code->integer)) {
  case RbValueKind::String:
    fits = isKind(value, LispKind::String);
    item->resval.rstring = fits ? acad_strdup(value->text.c_str()) : nullptr;
    break;
  case RbValueKind::Real:
    fits = isNumber(value);
    item->resval.rreal = !fits                              ? 0.0
                         : value->kind == LispKind::Integer ? value->integer
                                                            : value->real;
    break;
  case RbValueKind::Point: {
    int count = 0;
    for (LispRef rest = value; isCons(rest); rest = cdr(rest)) {
      fits = fits && count < 3 && isNumber(car(rest));
      if (fits) {
        const LispRef& number = car(rest);
        item->resval.rpoint[count++] =
            number->kind == LispKind::Integer ? number->integer : number->real;
      }
    }
    fits = fits && count >= 2;
    break;
  }
  case RbValueKind::Short:
    fits = isKind(value, LispKind::Integer) && value->integer >= INT16_MIN &&
           value->integer <= INT16_MAX;
    item->resval.rint = fits ? static_cast<short>(value->integer) : 0;
    break;
  case RbValueKind::Long:
    fits = isKind(value, LispKind::Integer);
    item->resval.rlong = fits ? value->integer : 0;
    break;
  case RbValueKind::Name:
    fits = isKind(value, LispKind::EntityName);
    if (fits) {
      item->resval.rlname[0] = value->name[0];
      item->resval.rlname[1] = value->name[1];
    }
    break;
  default:
    fits = false;
  }
  if (!fits) {
    machine.fail("bad DXF group: " + printValue(pair, true));
  }
}

// The host's list of an AutoLISP group list, into owned.
void hostList(LispMachine& machine, const LispRef& groups, OwnedList& owned) {
  needList(machine, groups);
  resbuf** tail = &owned.head;
  for (LispRef rest = groups; isCons(rest); rest = cdr(rest)) {
    const LispRef& pair = car(rest);
    if (isKind(car(pair), LispKind::Integer) && car(pair)->integer == -3) {
      *tail = acutNewRb(-3);
      if (*tail == nullptr) {
        machine.fail("insufficient memory");
      }
      tail = &(*tail)->rbnext;
      for (LispRef apps = cdr(pair); isCons(apps); apps = cdr(apps)) {
        const LispRef& app = car(apps);
        if (!isKind(car(app), LispKind::String)) {
          machine.fail("bad DXF group: " + printValue(pair, true));
        }
        appendGroup(machine, cons(makeInteger(1001), car(app)), tail);
        for (LispRef data = cdr(app); isCons(data); data = cdr(data)) {
          appendGroup(machine, car(data), tail);
        }
      }
      continue;
    }
    appendGroup(machine, pair, tail);
  }
}

// (entget ename [apps])
LispRef entgetSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  const LispCell& entity = needEntity(machine, args[0]);
  OwnedList apps;
  if (args.size() == 2) {
    resbuf** tail = &apps.head;
    for (LispRef rest = needList(machine, args[1]); isCons(rest); rest = cdr(rest)) {
      const std::string& name = needString(machine, car(rest));
      if ((*tail = acutNewRb(RTSTR)) == nullptr ||
          ((*tail)->resval.rstring = acad_strdup(name.c_str())) == nullptr) {
        machine.fail("insufficient memory");
      }
      tail = &(*tail)->rbnext;
    }
  }
  OwnedList list;
  list.head = args.size() == 2 ? acdbEntGetX(entity.name, apps.head) : acdbEntGet(entity.name);
  return listValue(list.head);
}

// (entmake [list]) and (entmod list): the list on success, nil when the host refuses it.
LispRef entmakeSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 1);
  if (args.empty() || !args[0]) {
    return LispRef();
  }
  OwnedList list;
  hostList(machine, args[0], list);
  return acdbEntMake(list.head) == RTNORM ? args[0] : LispRef();
}

LispRef entmodSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  OwnedList list;
  hostList(machine, args[0], list);
  return acdbEntMod(list.head) == RTNORM ? args[0] : LispRef();
}

LispRef entdelSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const LispCell& entity = needEntity(machine, args[0]);
  return acdbEntDel(entity.name) == RTNORM ? args[0] : LispRef();
}

LispRef entlastSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 0);
  ads_name last;
  return acdbEntLast(last) == RTNORM ? nameValue(last) : LispRef();
}

LispRef entnextSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 1);
  ads_name next;
  const bool first = args.empty() || !args[0];
  const int status =
      first ? acdbEntNext(nullptr, next) : acdbEntNext(needEntity(machine, args[0]).name, next);
  return status == RTNORM ? nameValue(next) : LispRef();
}

LispRef handentSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  ads_name found;
  return acdbHandEnt(needString(machine, args[0]).c_str(), found) == RTNORM ? nameValue(found)
                                                                            : LispRef();
}

LispRef regappSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return acdbRegApp(needString(machine, args[0]).c_str()) == RTNORM ? args[0] : LispRef();
}

} // namespace

void defineEntityFunctions(LispMachine& machine) {
  machine.defineSubr("entget", entgetSubr);
  machine.defineSubr("entmake", entmakeSubr);
  machine.defineSubr("entmod", entmodSubr);
  machine.defineSubr("entdel", entdelSubr);
  machine.defineSubr("entlast", entlastSubr);
  machine.defineSubr("entnext", entnextSubr);
  machine.defineSubr("handent", handentSubr);
  machine.defineSubr("regapp", regappSubr);
}

} // namespace sim::detail
