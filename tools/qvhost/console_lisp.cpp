// The console's AutoLISP functions, answered in C++ through the host's function calls.
#include "console_lisp.h"

#include <string>

#include "platform/acad/acutads.h"
#include "platform/sim.h"

namespace qvhost {
namespace {

bool isNumber(const resbuf* item) {
  return item != nullptr &&
         (item->restype == RTSHORT || item->restype == RTLONG || item->restype == RTREAL);
}

double number(const resbuf* item) {
  return item->restype == RTREAL    ? item->resval.rreal
         : item->restype == RTSHORT ? item->resval.rint
                                    : item->resval.rlong;
}

const char* text(const resbuf* item) {
  return item != nullptr && item->restype == RTSTR ? item->resval.rstring : nullptr;
}

// The answer that the arguments describe; false when they describe none.
bool answerOf(const resbuf* args, sim::Answer* made) {
  const char* kind = text(args);
  if (kind == nullptr) {
    return false;
  }
  const std::string name = kind;
  const resbuf* first = args->rbnext;
  const resbuf* second = first != nullptr ? first->rbnext : nullptr;
  if (name == "button" && first != nullptr &&
      (first->restype == RTSHORT || first->restype == RTLONG)) {
    *made = sim::Answer::button(static_cast<int>(number(first)));
  } else if (name == "text" && text(first) != nullptr) {
    *made = sim::Answer::text(text(first));
  } else if (name == "file" && text(first) != nullptr) {
    *made = sim::Answer::fileName(text(first));
  } else if (name == "point" && first != nullptr &&
             (first->restype == RTPOINT || first->restype == RT3DPOINT)) {
    // A list of two or three reals arrives as one point.
    *made = sim::Answer::point(first->resval.rpoint[X], first->resval.rpoint[Y],
                               first->restype == RT3DPOINT ? first->resval.rpoint[Z] : 0.0);
  } else if (name == "point" && isNumber(first) && isNumber(second)) {
    const resbuf* third = second->rbnext;
    *made = sim::Answer::point(number(first), number(second), isNumber(third) ? number(third) : 0);
  } else if (name == "tile" && text(first) != nullptr && text(second) != nullptr) {
    *made = sim::Answer::tile(text(first), text(second));
  } else if (name == "press" && text(first) != nullptr) {
    *made = sim::Answer::press(text(first));
  } else if (name == "pick" && first != nullptr &&
             (first->restype == RTENAME || first->restype == RTNIL) && second != nullptr &&
             (second->restype == RTPOINT || second->restype == RT3DPOINT)) {
    // An entity (nil: empty space) and the point picked at.
    const int64_t nothing[2] = {0, 0};
    *made = sim::Answer::pick(first->restype == RTENAME ? first->resval.rlname : nothing,
                              second->resval.rpoint[X], second->resval.rpoint[Y],
                              second->restype == RT3DPOINT ? second->resval.rpoint[Z] : 0.0);
  } else if (name == "cancel" && first == nullptr) {
    *made = sim::Answer::cancel();
  } else if (name == "break" && isNumber(first)) {
    *made = sim::Answer::userBreak(number(first) != 0);
  } else {
    return false;
  }
  return true;
}

resbuf* answer(const resbuf* args) {
  sim::Answer made;
  if (!answerOf(args, &made)) {
    acutPrintf("; error: bad argument value: qvhost:answer takes a kind and its value\n");
    return nullptr;
  }
  sim::answer(std::move(made));
  return acutBuildList(RTT, RTNONE);
}

// ((call prompt) ...) of every question asked since the start.
resbuf* asked(const resbuf*) {
  resbuf* head = acutNewRb(RTLB);
  resbuf* last = head;
  for (const sim::Asked& question : sim::asked()) {
    if (last == nullptr) {
      break;
    }
    last->rbnext = acutBuildList(RTLB, RTSTR, question.call.c_str(), RTSTR, question.prompt.c_str(),
                                 RTLE, RTNONE);
    while (last->rbnext != nullptr) {
      last = last->rbnext;
    }
  }
  if (last != nullptr) {
    last->rbnext = acutNewRb(RTLE);
  }
  if (last == nullptr || last->rbnext == nullptr) {
    acutRelRb(head);
    return nullptr;
  }
  return head;
}

} // namespace

void defineConsoleFunctions() {
  sim::defineLispFunction("qvhost:answer", answer);
  sim::defineLispFunction("qvhost:asked", asked);
}

} // namespace qvhost
