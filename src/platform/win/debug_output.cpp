// The debugger output: kept for sim::debugOutput(), echoed to standard error on request.
#include "platform/win/debugapi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/internal/session.h"
#include "platform/sim.h"

namespace {

struct DebugSink {
  std::mutex guard;
  std::string text;
};

DebugSink& sink() {
  return sim::detail::session<DebugSink>();
}

bool echoToStderr() {
  const char* setting = std::getenv("QV_DEBUG_OUTPUT");
  return setting != nullptr && std::strcmp(setting, "stderr") == 0;
}

} // namespace

void OutputDebugStringA(LPCSTR text) {
  if (text == nullptr) {
    return;
  }
  DebugSink& debugger = sink();
  std::lock_guard<std::mutex> lock(debugger.guard);
  debugger.text += text;
  if (echoToStderr()) {
    std::fputs(text, stderr);
    std::fflush(stderr);
  }
}

namespace sim {

std::string debugOutput() {
  DebugSink& debugger = sink();
  std::lock_guard<std::mutex> lock(debugger.guard);
  return debugger.text;
}

std::string takeDebugOutput() {
  DebugSink& debugger = sink();
  std::lock_guard<std::mutex> lock(debugger.guard);
  std::string taken;
  taken.swap(debugger.text);
  return taken;
}

} // namespace sim
