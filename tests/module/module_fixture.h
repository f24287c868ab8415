// Base fixture of the module's function tests: the module loaded in the stand-in host, and a
// helper that runs AutoLISP and tells what it answered and printed.
#pragma once

#include <string>

#include "host/module_fixture.h"
#include "platform/acad/sim_lisp.h"

namespace qvtest {

class ModuleFunctionTest : public ModuleTest {
protected:
  explicit ModuleFunctionTest(char drive = 0) : ModuleTest(drive) {}
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
    sim::takeCommandLine();
  }

  // The value of the AutoLISP text as prin1 prints it, then what the command line got, if
  // anything, after " | ".
  static std::string run(const std::string& lisp) {
    const std::string value = sim::evalLisp(lisp);
    const std::string printed = sim::takeCommandLine();
    return printed.empty() ? value : value + " | " + printed;
  }
};

} // namespace qvtest
