// The host's command line: what acutPrintf prints, captured for tests and echoed by tools.
#include "platform/acad/acutads.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/internal/session.h"
#include "platform/sim.h"

namespace {

struct CommandLine {
  std::mutex guard;
  std::string text;
};

std::atomic<bool> echoToStdout{false};

CommandLine& lineState() {
  return sim::detail::session<CommandLine>();
}

} // namespace

namespace sim::detail {

// Appends text to the command line as printed (no cut).
void printToCommandLine(const char* text) {
  CommandLine& line = lineState();
  std::lock_guard<std::mutex> lock(line.guard);
  line.text += text;
  if (echoToStdout) {
    std::fputs(text, stdout);
    std::fflush(stdout);
  }
}

} // namespace sim::detail

int acutPrintf(const char* format, ...) {
  if (format == nullptr) {
    return RTERROR;
  }
  // The host prints through a buffer of 133 bytes: longer output is cut.
  char buffer[133];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  sim::detail::printToCommandLine(buffer);
  return RTNORM;
}

namespace sim {

std::string commandLine() {
  CommandLine& line = lineState();
  std::lock_guard<std::mutex> lock(line.guard);
  return line.text;
}

std::string takeCommandLine() {
  CommandLine& line = lineState();
  std::lock_guard<std::mutex> lock(line.guard);
  std::string taken;
  taken.swap(line.text);
  return taken;
}

void echoCommandLine(bool on) {
  echoToStdout = on;
}

} // namespace sim
