// The process-wide functions of the running evaluation.
#include "expr/internal/held_functions.h"

namespace qv {

namespace {

// Plain globals: evaluations run one at a time on the host's main thread.
EvaluationFunction heldEvaluate = nullptr;
StringConversionFunction heldConvert = nullptr;

} // namespace

EvaluationFunction heldEvaluationFunction() {
  return heldEvaluate;
}

StringConversionFunction heldStringConversionFunction() {
  return heldConvert;
}

HeldFunctionsScope::HeldFunctionsScope(EvaluationFunction evaluate,
                                       StringConversionFunction convert)
    : evaluate_(evaluate), convert_(convert) {
  reinstall();
}

HeldFunctionsScope::~HeldFunctionsScope() {
  heldEvaluate = nullptr;
  heldConvert = nullptr;
}

void HeldFunctionsScope::reinstall() {
  heldEvaluate = evaluate_;
  heldConvert = convert_;
}

} // namespace qv
