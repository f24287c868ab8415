// Base fixture of the host bridge's tests: the module's globals start empty, and a module left
// loaded by a test is unloaded after it, so that its reactor does not outlive the test.
#pragma once

#include <string>

#include "host/host.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

class ModuleTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    qv::clearUserBreak();
    qv::userFolder[0] = '\0';
    qv::lispFolder[0] = '\0';
  }
  void TearDown() override {
    sim::unloadModule(acrxEntryPoint);
    EXPECT_EQ(qv::editorReactor, nullptr) << "the module's reactor outlived the test";
    delete qv::editorReactor;
    qv::editorReactor = nullptr;
    HostTest::TearDown();
  }

  // Sets an AutoLISP symbol of the current document to a one-item value.
  static void putSymbol(const char* name, resbuf* value) {
    ASSERT_EQ(acedPutSym(name, value), RTNORM);
    acutRelRb(value);
  }
};

} // namespace qvtest
