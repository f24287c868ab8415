// Runs tables of AutoLISP text against the stand-in's interpreter: each case is a text and the
// printed value of its last expression, or the host's error message.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

struct LispCase {
  const char* source;
  const char* expected; // prin1 of the last value, or "; error: ..."
};

// The value printed, or the error message when the evaluation failed.
inline std::string lispOutcome(const std::string& source) {
  std::string error;
  const std::string value = sim::evalLisp(source, &error);
  return error.empty() ? value : error;
}

// Each case in a new session, so that no case sees another's symbols.
inline void expectLispCases(const std::vector<LispCase>& cases) {
  for (const LispCase& c : cases) {
    sim::reset();
    EXPECT_EQ(lispOutcome(c.source), c.expected) << c.source;
  }
  sim::reset();
}

} // namespace qvtest
