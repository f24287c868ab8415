// The caller's two functions, held process-wide for the length of one evaluation so that every
// step of the rewriting reaches them. Internal to the evaluator (tests read it).
#pragma once

#include "expr/evaluate_expression.h"

namespace qv {

// The functions of the evaluation running now; null outside an evaluation.
EvaluationFunction heldEvaluationFunction();
StringConversionFunction heldStringConversionFunction();

// Holds the two functions while it lives and clears them when it goes, on every return path.
// A level that made a nested evaluation calls reinstall(), since the nested one cleared them.
class HeldFunctionsScope {
public:
  HeldFunctionsScope(EvaluationFunction evaluate, StringConversionFunction convert);
  ~HeldFunctionsScope();
  HeldFunctionsScope(const HeldFunctionsScope&) = delete;
  HeldFunctionsScope& operator=(const HeldFunctionsScope&) = delete;

  void reinstall();

private:
  EvaluationFunction evaluate_;
  StringConversionFunction convert_;
};

} // namespace qv
