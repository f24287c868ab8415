// A command developer's smallest program: it includes the library's chief headers, which need
// C++20, as installed and checks that the stand-in host answers.
#include "expr/expr.h"
#include "host/host.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "records/records.h"
#include "support/support.h"
#include "text/text.h"
#include <cstdio>

int main() {
  sim::reset();
  resbuf* list = acutBuildList(RTSTR, "consumer", RTSHORT, 7, RTNONE);
  const bool built = list != nullptr && list->rbnext != nullptr && list->rbnext->resval.rint == 7;
  acutRelRb(list);
  std::printf("consumer: %s\n", built ? "ok" : "failed");
  return built && sim::liveResbufs() == 0 ? 0 : 1;
}
