// Loads the module into the stand-in host, opens a drawing, calls the module's AutoLISP
// functions and prints what the host's command line shows.
#include <cstdio>

#include "host/host.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"

namespace {

// Calls a function of the module's table as AutoLISP would, and prints the call and its answer
// on the command line as the host's console echoes them.
void callAndShow(const char* name, const char* argument) {
  resbuf* args = acutBuildList(RTSTR, argument, RTNONE);
  resbuf* result = nullptr;
  const int status = sim::callLisp(name, args, &result);
  acutPrintf("\nCommand: (%s \"%s\")", name, argument);
  if (status != RTNORM) {
    acutPrintf("\n; error: no function definition: %s", name);
  } else if (result == nullptr) {
    acutPrintf("\nnil");
  } else if (result->restype == RTT) {
    acutPrintf("\nT");
  } else if (result->restype == RTREAL) {
    acutPrintf("\n%g", result->resval.rreal);
  } else if (result->restype == RTSTR) {
    acutPrintf("\n\"%s\"", result->resval.rstring);
  }
  acutRelRb(result);
  acutRelRb(args);
}

} // namespace

int main() {
  sim::echoCommandLine(true);
  // The family's AutoLISP function that prints a line, as its LISP code would.
  sim::defineLispFunction("cf:print_line", [](const resbuf* args) -> resbuf* {
    const resbuf* text = args != nullptr ? args->rbnext : nullptr;
    if (text != nullptr && text->restype == RTSTR) {
      acutPrintf("\n%s", text->resval.rstring);
    }
    return nullptr;
  });

  if (!sim::loadModule(acrxEntryPoint, "quorvane.arx")) {
    std::fprintf(stderr, "the host refused to load the module\n");
    return 1;
  }
  acutPrintf("Quorvane loaded; %s", "opening C:\\Jobs\\Highway 12\\alignment.dwg");
  sim::openDocument("C:\\Jobs\\Highway 12\\alignment.dwg");
  char drawing[260];
  qv::getSysVarString(drawing, "DWGNAME");
  qv::printLine(drawing);

  callAndShow("cf:isnumeric", "-12.5");
  callAndShow("cf:isnumeric", "12.5.1");
  callAndShow("cf:numval", "1250.75");
  callAndShow("cf:nosuch", "1");
  acutPrintf("\n");

  const bool unloaded = sim::unloadModule(acrxEntryPoint);
  const bool clean = sim::liveBlocks() == 0 && sim::liveResbufs() == 0;
  std::printf("module %s; host memory %s\n", unloaded ? "unloaded" : "still loaded",
              clean ? "all released" : "LEAKED");
  return unloaded && clean ? 0 : 1;
}
