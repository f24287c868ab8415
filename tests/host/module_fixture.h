// Base fixture of the host bridge's tests: the module's globals start empty, and a module left
// loaded by a test is unloaded after it, so that its reactor does not outlive the test.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

class ModuleTest : public HostTest {
protected:
  explicit ModuleTest(char drive = 0) : HostTest(drive) {}
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

  // A text reader (getLispString, getSysVarString) called on an exactly sized heap buffer that
  // starts as "stale" (or as much of it as fits), as "<answer>:<buffer>".
  static std::string readText(int (*read)(char*, size_t, const char*), const char* name,
                              size_t size = 64) {
    std::vector<char> buffer(size);
    std::strncpy(buffer.data(), "stale", size - 1);
    const int answer = read(buffer.data(), size, name);
    return std::to_string(answer) + ":" + buffer.data();
  }

  // Calls an AutoLISP function with args (released after) and describes what comes back: the
  // status when not RTNORM, else "nil", "T", "short <n>", "real <x>" (six decimals),
  // "string <text>" or "type <n>". The result is released.
  static std::string callLispFor(const char* name, resbuf* args = nullptr) {
    resbuf* result = nullptr;
    const int status = sim::callLisp(name, args, &result);
    acutRelRb(args);
    std::string said = "status " + std::to_string(status);
    if (status == RTNORM) {
      said = result == nullptr            ? "nil"
             : result->restype == RTT     ? "T"
             : result->restype == RTSHORT ? "short " + std::to_string(result->resval.rint)
             : result->restype == RTREAL  ? "real " + std::to_string(result->resval.rreal)
             : result->restype == RTSTR   ? "string " + std::string(result->resval.rstring)
                                          : "type " + std::to_string(result->restype);
    }
    acutRelRb(result);
    return said;
  }
};

} // namespace qvtest
