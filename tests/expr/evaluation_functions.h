// Evaluation and string conversion functions for the evaluator's tests: numbers read with strtod,
// a few names, and a log of every text the evaluator hands over.
#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "expr/expr.h"

namespace qvtest {

// Every text handed to readValue since the last clear(), in order.
inline std::vector<std::string>& valueLog() {
  static std::vector<std::string> log;
  return log;
}

// The whole text as a finite number (strtod, nothing left over), or one of the names x (3),
// y (-2), near (the double just below the no-value marker) and huge (+infinity, as a careless
// caller's function might give); EVAL_NO_VALUE for anything else.
inline double readValue(const char* text) {
  valueLog().emplace_back(text);
  if (std::strcmp(text, "x") == 0) {
    return 3.0;
  }
  if (std::strcmp(text, "y") == 0) {
    return -2.0;
  }
  if (std::strcmp(text, "near") == 0) {
    return std::nextafter(qv::EVAL_NO_VALUE, 0.0);
  }
  if (std::strcmp(text, "huge") == 0) {
    return std::numeric_limits<double>::infinity();
  }
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !std::isfinite(value)) {
    return qv::EVAL_NO_VALUE;
  }
  return value;
}

// Writes "ABC" for NAME and "abc" for LOWER, and the text itself otherwise.
inline int convertName(const char* text, char* output) {
  const char* value = text;
  if (std::strcmp(text, "NAME") == 0) {
    value = "ABC";
  } else if (std::strcmp(text, "LOWER") == 0) {
    value = "abc";
  }
  std::strncpy(output, value, qv::convertedStringSize - 1);
  output[qv::convertedStringSize - 1] = '\0';
  return 1;
}

} // namespace qvtest
