// Base fixture of the drawing helpers' tests: reads of the host's short variables, and a record
// of the calls of the family's cf:set_pointsnap.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

class DrawingTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::defineLispFunction("cf:set_pointsnap", [this](const resbuf* args) -> resbuf* {
      snapCalls_.push_back(args != nullptr && args->restype == RTSHORT ? args->resval.rint : -99);
      return nullptr;
    });
  }

  // A number variable as the host holds it (read without a host call).
  static double number(const char* name) {
    const std::vector<double> value = sim::sysVarNumbers(name);
    EXPECT_EQ(value.size(), 1u) << name;
    return value.empty() ? -1.0 : value[0];
  }

  std::vector<int> snapCalls_;
};

} // namespace qvtest
