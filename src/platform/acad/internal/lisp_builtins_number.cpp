// AutoLISP's arithmetic, comparisons and type predicates. Integers are 32 bits and wrap on
// overflow; an operation with one real gives a real.
#include <cmath>
#include <cstring>

#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"

namespace sim::detail {
namespace {

int32_t wrap(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

double realOf(const LispRef& number) {
  return number->kind == LispKind::Integer ? number->integer : number->real;
}

enum class Op { Add, Subtract, Multiply, Divide };

LispRef arithmetic(LispMachine& machine, LispArgs& args, Op op) {
  if (args.empty()) {
    return makeInteger(op == Op::Multiply ? 1 : 0);
  }
  for (const LispRef& arg : args) {
    needNumber(machine, arg);
  }
  bool real = args[0]->kind == LispKind::Real;
  int32_t whole = real ? 0 : args[0]->integer;
  double fraction = realOf(args[0]);
  if (args.size() == 1 && op == Op::Subtract) {
    return real ? makeReal(-fraction) : makeInteger(wrap(-static_cast<int64_t>(whole)));
  }
  for (size_t i = 1; i < args.size(); ++i) {
    const LispRef& arg = args[i];
    if (!real && arg->kind == LispKind::Real) {
      real = true;
      fraction = whole;
    }
    if (real) {
      const double x = realOf(arg);
      switch (op) {
      case Op::Add:
        fraction += x;
        break;
      case Op::Subtract:
        fraction -= x;
        break;
      case Op::Multiply:
        fraction *= x;
        break;
      case Op::Divide:
        if (x == 0.0) {
          machine.fail("divide by zero");
        }
        fraction /= x;
        break;
      }
      continue;
    }
    const int64_t x = arg->integer;
    switch (op) {
    case Op::Add:
      whole = wrap(whole + x);
      break;
    case Op::Subtract:
      whole = wrap(whole - x);
      break;
    case Op::Multiply:
      whole = wrap(static_cast<int64_t>(whole) * x);
      break;
    case Op::Divide:
      if (x == 0) {
        machine.fail("divide by zero");
      }
      whole = wrap(whole / x); // truncates; -2147483648 / -1 wraps
      break;
    }
  }
  return real ? makeReal(fraction) : makeInteger(whole);
}

LispRef addSubr(LispMachine& m, LispArgs& a) {
  return arithmetic(m, a, Op::Add);
}
LispRef subtractSubr(LispMachine& m, LispArgs& a) {
  return arithmetic(m, a, Op::Subtract);
}
LispRef multiplySubr(LispMachine& m, LispArgs& a) {
  return arithmetic(m, a, Op::Multiply);
}
LispRef divideSubr(LispMachine& m, LispArgs& a) {
  return arithmetic(m, a, Op::Divide);
}

// -1, 0 or 1 for numbers or strings; false when the two cannot be compared. For = and /=
// (identity), other values compare as the same object or not: (= (type x) 'STR).
bool compare(LispMachine& machine, const LispRef& a, const LispRef& b, int* order,
             bool identity = false) {
  if (isNumber(a) && isNumber(b)) {
    const double x = realOf(a), y = realOf(b);
    *order = x < y ? -1 : x > y ? 1 : 0;
    return true;
  }
  if (isKind(a, LispKind::String) && isKind(b, LispKind::String)) {
    const int c = std::strcmp(a->text.c_str(), b->text.c_str());
    *order = c < 0 ? -1 : c > 0 ? 1 : 0;
    return true;
  }
  if (identity) {
    *order = a == b ? 0 : 1;
    return true;
  }
  if (!isNumber(a) && !isKind(a, LispKind::String)) {
    machine.badArgument("numberp", a);
  }
  if (!isNumber(b) && !isKind(b, LispKind::String)) {
    machine.badArgument("numberp", b);
  }
  return false; // a number and a string are never equal nor ordered
}

template <bool (*Holds)(int), bool Identity = false>
LispRef comparison(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, SIZE_MAX);
  bool all = true;
  for (size_t i = 1; i < args.size(); ++i) {
    int order = 0;
    if (!compare(machine, args[i - 1], args[i], &order, Identity) || !Holds(order)) {
      all = false;
    }
  }
  if (args.size() == 1) {
    int order = 0;
    compare(machine, args[0], args[0], &order, Identity); // checks the one argument's type
  }
  return machine.truth(all);
}

bool isEqual(int o) {
  return o == 0;
}
bool isUnequal(int o) {
  return o != 0;
}
bool isLess(int o) {
  return o < 0;
}
bool isGreater(int o) {
  return o > 0;
}
bool isLessOrEqual(int o) {
  return o <= 0;
}
bool isGreaterOrEqual(int o) {
  return o >= 0;
}

LispRef absSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  needNumber(machine, args[0]);
  if (args[0]->kind == LispKind::Real) {
    return makeReal(std::fabs(args[0]->real));
  }
  return makeInteger(args[0]->integer < 0 ? wrap(-static_cast<int64_t>(args[0]->integer))
                                          : args[0]->integer);
}

LispRef extreme(LispMachine& machine, LispArgs& args, bool greatest) {
  if (args.empty()) {
    return makeInteger(0);
  }
  bool real = false;
  size_t best = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    needNumber(machine, args[i]);
    real = real || args[i]->kind == LispKind::Real;
    if (greatest ? realOf(args[i]) > realOf(args[best]) : realOf(args[i]) < realOf(args[best])) {
      best = i;
    }
  }
  return real ? makeReal(realOf(args[best])) : args[best];
}

LispRef maxSubr(LispMachine& m, LispArgs& a) {
  return extreme(m, a, true);
}
LispRef minSubr(LispMachine& m, LispArgs& a) {
  return extreme(m, a, false);
}

LispRef remSubr(LispMachine& machine, LispArgs& args) {
  if (args.empty()) {
    return makeInteger(0);
  }
  for (const LispRef& arg : args) {
    needNumber(machine, arg);
  }
  LispRef result = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const LispRef& divisor = args[i];
    if (realOf(divisor) == 0.0) {
      machine.fail("divide by zero");
    }
    if (result->kind == LispKind::Integer && divisor->kind == LispKind::Integer) {
      const int64_t r = divisor->integer == -1 ? 0 : result->integer % divisor->integer;
      result = makeInteger(static_cast<int32_t>(r));
    } else {
      result = makeReal(std::fmod(realOf(result), realOf(divisor)));
    }
  }
  return result;
}

LispRef fixSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const double value = needNumber(machine, args[0]);
  if (args[0]->kind == LispKind::Integer) {
    return args[0];
  }
  const double whole = std::trunc(value);
  if (whole >= -2147483648.0 && whole <= 2147483647.0) {
    return makeInteger(static_cast<int32_t>(whole));
  }
  return makeReal(whole); // out of the integers' range: the truncated real
}

LispRef floatSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeReal(needNumber(machine, args[0]));
}

LispRef step(LispMachine& machine, LispArgs& args, int by) {
  machine.arity(args, 1, 1);
  needNumber(machine, args[0]);
  if (args[0]->kind == LispKind::Real) {
    return makeReal(args[0]->real + by);
  }
  return makeInteger(wrap(static_cast<int64_t>(args[0]->integer) + by));
}

LispRef incrementSubr(LispMachine& m, LispArgs& a) {
  return step(m, a, 1);
}
LispRef decrementSubr(LispMachine& m, LispArgs& a) {
  return step(m, a, -1);
}

LispRef minuspSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(needNumber(machine, args[0]) < 0);
}

LispRef zeropSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(needNumber(machine, args[0]) == 0);
}

LispRef numberpSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(isNumber(args[0]));
}

LispRef atomSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(!isCons(args[0]));
}

LispRef listpSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(!args[0] || isCons(args[0]));
}

LispRef typeSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  if (!args[0]) {
    return LispRef();
  }
  static const char* const names[] = {"INT",
                                      "REAL",
                                      "STR",
                                      "SYM",
                                      "LIST",
                                      "ENAME",
                                      "PICKSET",
                                      "FILE",
                                      "SUBR",
                                      "USUBR",
                                      "VL-CATCH-ALL-APPLY-ERROR"};
  return machine.intern(names[static_cast<int>(args[0]->kind)]);
}

using Math = double (*)(double);
template <Math F> LispRef mathSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeReal(F(needNumber(machine, args[0])));
}

double squareRoot(double x) {
  return std::sqrt(x);
}
double sine(double x) {
  return std::sin(x);
}
double cosine(double x) {
  return std::cos(x);
}
double exponential(double x) {
  return std::exp(x);
}
double logarithm(double x) {
  return std::log(x);
}

LispRef atanSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  const double y = needNumber(machine, args[0]);
  return makeReal(args.size() == 2 ? std::atan2(y, needNumber(machine, args[1])) : std::atan(y));
}

LispRef exptSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const double base = needNumber(machine, args[0]), power = needNumber(machine, args[1]);
  if (args[0]->kind == LispKind::Integer && args[1]->kind == LispKind::Integer) {
    if (args[1]->integer < 0) {
      return makeInteger(0);
    }
    // By squaring, wrapping at 32 bits as the products do.
    int64_t result = 1, square = args[0]->integer;
    for (uint32_t left = static_cast<uint32_t>(args[1]->integer); left != 0; left >>= 1) {
      if ((left & 1) != 0) {
        result = wrap(result * square);
      }
      square = wrap(square * square);
    }
    return makeInteger(static_cast<int32_t>(result));
  }
  return makeReal(std::pow(base, power));
}

} // namespace

void defineNumberFunctions(LispMachine& machine) {
  machine.defineSubr("+", addSubr);
  machine.defineSubr("-", subtractSubr);
  machine.defineSubr("*", multiplySubr);
  machine.defineSubr("/", divideSubr);
  machine.defineSubr("=", comparison<isEqual, true>);
  machine.defineSubr("/=", comparison<isUnequal, true>);
  machine.defineSubr("<", comparison<isLess>);
  machine.defineSubr(">", comparison<isGreater>);
  machine.defineSubr("<=", comparison<isLessOrEqual>);
  machine.defineSubr(">=", comparison<isGreaterOrEqual>);
  machine.defineSubr("abs", absSubr);
  machine.defineSubr("max", maxSubr);
  machine.defineSubr("min", minSubr);
  machine.defineSubr("rem", remSubr);
  machine.defineSubr("fix", fixSubr);
  machine.defineSubr("float", floatSubr);
  machine.defineSubr("1+", incrementSubr);
  machine.defineSubr("1-", decrementSubr);
  machine.defineSubr("minusp", minuspSubr);
  machine.defineSubr("zerop", zeropSubr);
  machine.defineSubr("numberp", numberpSubr);
  machine.defineSubr("atom", atomSubr);
  machine.defineSubr("listp", listpSubr);
  machine.defineSubr("type", typeSubr);
  machine.defineSubr("sqrt", mathSubr<squareRoot>);
  machine.defineSubr("sin", mathSubr<sine>);
  machine.defineSubr("cos", mathSubr<cosine>);
  machine.defineSubr("exp", mathSubr<exponential>);
  machine.defineSubr("log", mathSubr<logarithm>);
  machine.defineSubr("atan", atanSubr);
  machine.defineSubr("expt", exptSubr);
  machine.intern("pi")->value = makeReal(3.14159265358979323846);
}

} // namespace sim::detail
