// acedCommand and acedCmd: the host's commands run from an argument list, through a table of
// handlers.
#include "platform/acad/internal/host_commands.h"

#include <cstdarg>
#include <cstring>
#include <deque>
#include <string>

#include "platform/acad/aced.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/rb_kinds.h"
#include "platform/acad/sim_host.h"
#include "platform/internal/session.h"

namespace sim::detail {
namespace {

const HostCommand kHostCommands[] = {
    {"REGEN", regenCommand}, {"ZOOM", zoomCommand}, {"POINT", pointCommand},
    {"LINE", lineCommand},   {"DIM1", dim1Command}, {"WIPEOUT", wipeoutCommand},
};

// The name without its "_" (the English name) and "." (the built-in command) prefixes.
std::string bareName(const char* name) {
  std::string bare = name;
  size_t cut = 0;
  while (cut < bare.size() && cut < 2 && (bare[cut] == '_' || bare[cut] == '.')) {
    ++cut;
  }
  return upperCase(bare.substr(cut));
}

// The arguments of an acedCommand call, held by the host itself (not counted as the library's
// result buffers).
struct ArgumentList {
  std::deque<resbuf> items;
  std::deque<std::string> texts;
  const resbuf* head() {
    for (size_t i = 0; i + 1 < items.size(); ++i) {
      items[i].rbnext = &items[i + 1];
    }
    return items.empty() ? nullptr : &items.front();
  }
};

// Reads (type, value) pairs up to 0 or RTNONE; false for a type that takes no known value, a
// null text, point or name.
bool readArguments(int type, va_list& args, ArgumentList& list) {
  for (; type != 0 && type != RTNONE; type = va_arg(args, int)) {
    resbuf& item = list.items.emplace_back();
    item.restype = static_cast<short>(type);
    switch (rbValueKind(type)) {
    case RbValueKind::None:
      break;
    case RbValueKind::String: {
      const char* text = va_arg(args, const char*);
      if (text == nullptr) {
        return false;
      }
      item.resval.rstring = list.texts.emplace_back(text).data();
      break;
    }
    case RbValueKind::Real:
      item.resval.rreal = va_arg(args, double);
      break;
    case RbValueKind::Point: {
      const ads_real* point = va_arg(args, const ads_real*);
      if (point == nullptr) {
        return false;
      }
      for (int i = 0; i < 3; ++i) {
        item.resval.rpoint[i] = i == Z && type == RTPOINT ? 0.0 : point[i];
      }
      break;
    }
    case RbValueKind::Short:
      item.resval.rint = static_cast<short>(va_arg(args, int));
      break;
    case RbValueKind::Long:
      item.resval.rlong = va_arg(args, int32_t);
      break;
    case RbValueKind::Name: {
      const int64_t* name = va_arg(args, const int64_t*);
      if (name == nullptr) {
        return false;
      }
      item.resval.rlname[0] = name[0];
      item.resval.rlname[1] = name[1];
      break;
    }
    default:
      return false;
    }
  }
  return true;
}

} // namespace

HostCommandHandler findHostCommand(const char* name) {
  const std::string bare = bareName(name);
  for (const HostCommand& command : kHostCommands) {
    if (bare == command.name) {
      return command.run;
    }
  }
  return nullptr;
}

int runHostCommands(const resbuf* args) {
  if (currentDocument(host()) == nullptr) {
    return RTREJ;
  }
  sim::Answer pressed;
  if (takeAnswerIf(sim::Answer::Kind::UserBreak, pressed) && pressed.pressed) {
    return RTCAN;
  }
  while (args != nullptr) {
    if (args->restype != RTSTR || args->resval.rstring == nullptr) {
      return RTREJ;
    }
    const char* given = args->resval.rstring;
    args = args->rbnext;
    if (given[0] == '\0') {
      continue; // Enter at the command prompt: nothing to run
    }
    const std::string name = bareName(given);
    const HostCommandHandler handler = findHostCommand(given);
    if (handler == nullptr) {
      const std::string line = "\nUnknown command \"" + name + "\".  Press F1 for help.\n";
      printToCommandLine(line.c_str());
      sim::notifyEditorReactors(
          [&](AcEditorReactor& r) { r.unknownCommand(name.c_str(), nullptr); });
      return RTERROR;
    }
    sim::notifyEditorReactors([&](AcEditorReactor& r) { r.commandWillStart(name.c_str()); });
    const int status = handler(args);
    sim::notifyEditorReactors([&](AcEditorReactor& r) {
      if (status == RTNORM) {
        r.commandEnded(name.c_str());
      } else if (status == RTCAN) {
        r.commandCancelled(name.c_str());
      } else {
        r.commandFailed(name.c_str());
      }
    });
    if (status != RTNORM) {
      return status;
    }
  }
  return RTNORM;
}

// "_.REGEN": regenerates the drawing; it takes no input.
int regenCommand(const resbuf*& /*args*/) {
  drawingRegenerated();
  return RTNORM;
}

} // namespace sim::detail

int acedCmd(const resbuf* args) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedCommand)) {
    return RTERROR;
  }
  return sim::detail::runHostCommands(args);
}

int acedCommand(int rtype, ...) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedCommand)) {
    return RTERROR;
  }
  const sim::detail::StandInCall inHost;
  sim::detail::ArgumentList list;
  va_list args;
  va_start(args, rtype);
  const bool read = sim::detail::readArguments(rtype, args, list);
  va_end(args);
  return read ? sim::detail::runHostCommands(list.head()) : RTREJ;
}
