// AutoLISP's string functions and its output to the command line.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/acad/acdbads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/acad/internal/wildcard_match.h"

namespace sim::detail {
namespace {

LispRef strcatSubr(LispMachine& machine, LispArgs& args) {
  std::string out;
  for (const LispRef& arg : args) {
    out += needString(machine, arg);
  }
  return makeString(std::move(out));
}

LispRef strlenSubr(LispMachine& machine, LispArgs& args) {
  size_t length = 0;
  for (const LispRef& arg : args) {
    length += needString(machine, arg).size();
  }
  return makeInteger(static_cast<int32_t>(length));
}

LispRef substrSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 3);
  const std::string& text = needString(machine, args[0]);
  const int32_t start = needInteger(machine, args[1]);
  if (start < 1) {
    machine.fail("bad argument value: positive " + std::to_string(start));
  }
  int32_t length = INT32_MAX;
  if (args.size() == 3) {
    length = needInteger(machine, args[2]);
    if (length < 0) {
      machine.fail("bad argument value: non-negative " + std::to_string(length));
    }
  }
  const size_t from = static_cast<size_t>(start) - 1;
  if (from >= text.size()) {
    return makeString("");
  }
  return makeString(text.substr(from, static_cast<size_t>(length)));
}

LispRef strcaseSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  std::string text = needString(machine, args[0]);
  const bool lower = args.size() == 2 && args[1];
  for (char& c : text) {
    if (lower && c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    } else if (!lower && c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return makeString(std::move(text));
}

LispRef itoaSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeString(std::to_string(needInteger(machine, args[0])));
}

LispRef atoiSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  // The runtime's atoi: leading blanks, a sign, the digits that follow; too large a value stops at
  // the integers' bounds.
  errno = 0;
  const long long value = std::strtoll(needString(machine, args[0]).c_str(), nullptr, 10);
  return makeInteger(
      static_cast<int32_t>(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, value))));
}

// The host's runtime reads decimal numbers only: [spaces][sign]digits[.digits][e[sign]digits].
// The C library's strtod would also take "0x1A", "inf" and "nan", so it is given the decimal
// prefix alone.
double decimalPrefixValue(const std::string& text) {
  size_t at = 0;
  auto digits = [&] {
    const size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
      ++at;
    }
    return at - start;
  };
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
    ++at;
  }
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    ++at;
  }
  size_t mantissa = digits();
  if (at < text.size() && text[at] == '.') {
    ++at;
    mantissa += digits();
  }
  if (mantissa == 0) {
    return 0.0;
  }
  size_t end = at;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
      ++at;
    }
    if (digits() > 0) {
      end = at;
    }
  }
  return std::strtod(text.substr(0, end).c_str(), nullptr);
}

LispRef atofSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeReal(decimalPrefixValue(needString(machine, args[0])));
}

int shortVar(const char* name) {
  auto found = host().sysVars.find(name);
  return found == host().sysVars.end() ? 0 : found->second.shortValue;
}

LispRef rtosSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 3);
  const double value = needNumber(machine, args[0]);
  const int mode = args.size() >= 2 && args[1] ? needInteger(machine, args[1]) : shortVar("LUNITS");
  const int precision =
      args.size() == 3 && args[2] ? needInteger(machine, args[2]) : shortVar("LUPREC");
  if (mode < 1 || mode > 5) {
    machine.fail("bad argument value: AutoCAD units mode " + std::to_string(mode));
  }
  if (precision < 0 || precision > 8) {
    machine.fail("bad argument value: AutoCAD units precision " + std::to_string(precision));
  }
  char text[64];
  if (acdbRToS(value, mode, precision, text) != RTNORM) {
    machine.fail("bad argument value: AutoCAD units mode " + std::to_string(mode));
  }
  return makeString(text);
}

LispRef chrSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const char c = static_cast<char>(needInteger(machine, args[0]) & 0xFF);
  return makeString(c == '\0' ? std::string() : std::string(1, c));
}

LispRef asciiSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const std::string& text = needString(machine, args[0]);
  return makeInteger(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

LispRef stringSearchSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 3);
  const std::string& pattern = needString(machine, args[0]);
  const std::string& text = needString(machine, args[1]);
  const int32_t start = args.size() == 3 ? needInteger(machine, args[2]) : 0;
  if (start < 0 || static_cast<size_t>(start) > text.size()) {
    return LispRef();
  }
  const size_t found = text.find(pattern, static_cast<size_t>(start));
  return found == std::string::npos ? LispRef() : makeInteger(static_cast<int32_t>(found));
}

LispRef wcmatchSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  return machine.truth(wildcardMatch(needString(machine, args[0]), needString(machine, args[1])));
}

LispRef prin1ToStringSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeString(printValue(args[0], true));
}

LispRef princToStringSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return makeString(printValue(args[0], false));
}

LispRef printWith(LispMachine& machine, LispArgs& args, bool quoted, const char* before,
                  const char* after) {
  machine.arity(args, 0, 2);
  if (args.empty()) {
    return machine.intern(""); // the quiet symbol: prints nothing
  }
  const std::string text = before + printValue(args[0], quoted) + after;
  if (args.size() == 2 && args[1]) {
    std::fputs(text.c_str(), needOpenFile(machine, args[1])); // nil names the command line
  } else {
    machine.write(text);
  }
  return args[0];
}

LispRef princSubr(LispMachine& machine, LispArgs& args) {
  return printWith(machine, args, false, "", "");
}

LispRef prin1Subr(LispMachine& machine, LispArgs& args) {
  return printWith(machine, args, true, "", "");
}

LispRef printSubr(LispMachine& machine, LispArgs& args) {
  return printWith(machine, args, true, "\n", " ");
}

LispRef terpriSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 0);
  machine.write("\n");
  return LispRef();
}

LispRef promptSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  machine.write(needString(machine, args[0]));
  return LispRef();
}

} // namespace

void defineStringFunctions(LispMachine& machine) {
  machine.defineSubr("strcat", strcatSubr);
  machine.defineSubr("strlen", strlenSubr);
  machine.defineSubr("substr", substrSubr);
  machine.defineSubr("strcase", strcaseSubr);
  machine.defineSubr("itoa", itoaSubr);
  machine.defineSubr("atoi", atoiSubr);
  machine.defineSubr("atof", atofSubr);
  machine.defineSubr("rtos", rtosSubr);
  machine.defineSubr("chr", chrSubr);
  machine.defineSubr("ascii", asciiSubr);
  machine.defineSubr("vl-string-search", stringSearchSubr);
  machine.defineSubr("wcmatch", wcmatchSubr);
  machine.defineSubr("vl-prin1-to-string", prin1ToStringSubr);
  machine.defineSubr("vl-princ-to-string", princToStringSubr);
  machine.defineSubr("princ", princSubr);
  machine.defineSubr("prin1", prin1Subr);
  machine.defineSubr("print", printSubr);
  machine.defineSubr("terpri", terpriSubr);
  machine.defineSubr("prompt", promptSubr);
}

} // namespace sim::detail
