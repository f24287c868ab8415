// A misuse of the stand-in host in the console.
#include "console_misuse.h"

#include <cstdio>

#include "platform/sim.h"

namespace qvhost {
namespace {

std::string unreported;

void printAndAskAgain(const std::string& message) {
  std::printf("\n%s: answer here instead.", message.c_str());
  std::fflush(stdout);
}

void stopScript(const std::string& message) {
  if (!sim::stopLisp(message) && unreported.empty()) {
    unreported = message;
  }
}

} // namespace

void handleMisuse(bool interactive) {
  sim::setMisuseHandler(interactive ? printAndAskAgain : stopScript);
}

std::string unreportedMisuse() {
  return unreported;
}

} // namespace qvhost
