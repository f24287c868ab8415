// AutoLISP's command: runs host commands from its arguments, through the same commands as
// acedCommand. Texts, numbers, points (lists of two or three numbers), entity names and
// selection sets are taken; any other value is AutoLISP's bad-argument error. It answers nil;
// a command cancelled by the person is AutoLISP's "Function cancelled" error.
#include <deque>
#include <string>

#include "platform/acad/adscodes.h"
#include "platform/acad/internal/host_commands.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_resbuf.h"
#include "platform/acad/internal/lisp_text.h"

namespace sim::detail {
namespace {

// A list of two or three numbers, integers or reals, as a point.
bool pointOf(const LispRef& value, resbuf& item) {
  int count = 0;
  for (const LispCell* rest = value.get(); rest != nullptr; rest = rest->cdr.get()) {
    if (rest->kind != LispKind::Cons || !isNumber(rest->car) || count == 3) {
      return false;
    }
    const LispCell* number = rest->car.get();
    item.resval.rpoint[count++] =
        number->kind == LispKind::Integer ? number->integer : number->real;
  }
  item.restype = count == 3 ? RT3DPOINT : RTPOINT;
  return count >= 2;
}

// One argument as an item of the command's list; false for a value that is not an answer.
bool itemOf(const LispRef& value, resbuf& item, std::deque<std::string>& texts) {
  if (isKind(value, LispKind::Cons)) {
    return pointOf(value, item);
  }
  LispValue items;
  if (!itemsFromValue(value, &items) || items.size() != 1) {
    return false;
  }
  const LispItem& one = items.front();
  item.restype = one.type;
  switch (one.type) {
  case RTSTR:
    item.resval.rstring = texts.emplace_back(one.text).data();
    return true;
  case RTREAL:
    item.resval.rreal = one.real;
    return true;
  case RTSHORT:
    item.resval.rint = static_cast<short>(one.integer);
    return true;
  case RTLONG:
    item.resval.rlong = one.integer;
    return true;
  case RTPOINT:
  case RT3DPOINT:
    for (int i = 0; i < 3; ++i) {
      item.resval.rpoint[i] = one.point[i];
    }
    return true;
  case RTENAME:
  case RTPICKS:
    item.resval.rlname[0] = one.name[0];
    item.resval.rlname[1] = one.name[1];
    return true;
  default:
    return false;
  }
}

LispRef commandSubr(LispMachine& machine, LispArgs& args) {
  std::deque<resbuf> items;
  std::deque<std::string> texts;
  for (const LispRef& value : args) {
    resbuf& item = items.emplace_back();
    if (!value || !itemOf(value, item, texts)) {
      machine.fail("bad argument type: " + printValue(value, true));
    }
  }
  for (size_t i = 0; i + 1 < items.size(); ++i) {
    items[i].rbnext = &items[i + 1];
  }
  if (!items.empty() && runHostCommands(&items.front()) == RTCAN) {
    machine.fail("Function cancelled");
  }
  return LispRef();
}

} // namespace

void defineCommandFunction(LispMachine& machine) {
  machine.defineSubr("command", commandSubr);
}

} // namespace sim::detail
