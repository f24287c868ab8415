// The expression subsystem: the evaluator of one-line expressions and its wildcard matching.
#pragma once

#include "expr/evaluate_expression.h"
#include "expr/match_wildcard.h"
