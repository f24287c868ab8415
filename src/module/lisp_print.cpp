// AutoLISP's printed form of values in the host's list form.
#include "module/lisp_print.h"

#include <cmath>
#include <cstdio>

namespace qv {

std::string printLispReal(double value) {
  if (std::isnan(value)) {
    return "-1.#IND";
  }
  if (std::isinf(value)) {
    return value > 0 ? "1.#INF" : "-1.#INF";
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  std::string text = buffer;
  const size_t e = text.find('e');
  std::string mantissa = e == std::string::npos ? text : text.substr(0, e);
  if (mantissa.find('.') == std::string::npos) {
    mantissa += ".0";
  }
  if (e == std::string::npos) {
    return mantissa;
  }
  std::string exponent = text.substr(e + 2);
  while (exponent.size() < 3) {
    exponent.insert(exponent.begin(), '0');
  }
  return mantissa + "e" + text[e + 1] + exponent;
}

namespace {

std::string quoted(const char* text) {
  std::string out = "\"";
  for (const char* c = text != nullptr ? text : ""; *c != '\0'; ++c) {
    switch (*c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\x1b':
      out += "\\e";
      break;
    default:
      out += *c;
    }
  }
  return out + "\"";
}

std::string printAtom(const resbuf* item) {
  switch (item->restype) {
  case RTSTR:
    return quoted(item->resval.rstring);
  case RTSHORT:
    return std::to_string(item->resval.rint);
  case RTLONG:
    return std::to_string(item->resval.rlong);
  case RTREAL:
  case RTANG:
  case RTORINT:
    return printLispReal(item->resval.rreal);
  case RTPOINT:
  case RT3DPOINT: {
    const int count = item->restype == RTPOINT ? 2 : 3;
    std::string out = "(";
    for (int i = 0; i < count; ++i) {
      out += (i > 0 ? " " : "") + printLispReal(item->resval.rpoint[i]);
    }
    return out + ")";
  }
  case RTT:
    return "T";
  case RTNIL:
    return "nil";
  case RTENAME:
    return "<Entity name>";
  case RTPICKS:
    return "<Selection set>";
  default:
    return "<" + std::to_string(item->restype) + ">";
  }
}

} // namespace

std::string printLispValue(const resbuf* item) {
  if (item == nullptr) {
    return "nil";
  }
  if (item->restype != RTLB) {
    return printAtom(item);
  }
  // Walks the list's items to its matching RTLE without recursing on its depth.
  std::string out;
  int depth = 0;
  bool first = true;
  for (; item != nullptr; item = item->rbnext) {
    if (item->restype == RTLE) {
      out += ")";
      first = false;
      if (--depth == 0) {
        break;
      }
      continue;
    }
    if (!first) {
      out += " ";
    }
    if (item->restype == RTLB) {
      out += "(";
      ++depth;
      first = true;
      continue;
    }
    if (item->restype == RTDOTE) {
      out += ".";
      first = false;
      continue;
    }
    out += printAtom(item);
    first = false;
  }
  return out;
}

} // namespace qv
