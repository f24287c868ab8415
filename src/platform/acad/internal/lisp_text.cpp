// The AutoLISP reader and printer of the stand-in's interpreter.
#include "platform/acad/internal/lisp_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/acad/internal/lisp_machine.h"

namespace sim::detail {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Characters that end a symbol or number.
bool endsToken(char c) {
  return isBlank(c) || c == '(' || c == ')' || c == '\'' || c == '"' || c == ';';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace

bool readNumber(const std::string& token, LispRef* value) {
  size_t at = (token[0] == '-' || token[0] == '+') ? 1 : 0;
  const size_t digitsStart = at;
  while (at < token.size() && isDigit(token[at])) {
    ++at;
  }
  const size_t intDigits = at - digitsStart;
  if (at == token.size()) {
    if (intDigits == 0) {
      return false;
    }
    errno = 0;
    const long long whole = std::strtoll(token.c_str(), nullptr, 10);
    if (errno == 0 && whole >= INT32_MIN && whole <= INT32_MAX) {
      *value = makeInteger(static_cast<int32_t>(whole));
    } else {
      *value = makeReal(std::strtod(token.c_str(), nullptr)); // too wide for an integer
    }
    return true;
  }
  size_t fracDigits = 0;
  if (token[at] == '.') {
    ++at;
    while (at < token.size() && isDigit(token[at])) {
      ++at;
      ++fracDigits;
    }
  }
  if (intDigits + fracDigits == 0) {
    return false;
  }
  if (at < token.size() && (token[at] == 'e' || token[at] == 'E')) {
    ++at;
    if (at < token.size() && (token[at] == '-' || token[at] == '+')) {
      ++at;
    }
    const size_t expStart = at;
    while (at < token.size() && isDigit(token[at])) {
      ++at;
    }
    if (at == expStart) {
      return false;
    }
  }
  if (at != token.size()) {
    return false;
  }
  *value = makeReal(std::strtod(token.c_str(), nullptr));
  return true;
}

void LispReader::fail(const char* message) {
  throw LispThrow{message, line_, false, "", "", 0};
}

void LispReader::skipBlanks() {
  while (at_ < text_.size()) {
    const char c = text_[at_];
    if (c == '\n') {
      ++line_;
      ++at_;
    } else if (isBlank(c)) {
      ++at_;
    } else if (c == ';' && at_ + 1 < text_.size() && text_[at_ + 1] == '|') {
      // A block comment runs to "|;" (or to the end of the text).
      at_ += 2;
      while (at_ < text_.size() &&
             !(text_[at_] == '|' && at_ + 1 < text_.size() && text_[at_ + 1] == ';')) {
        line_ += text_[at_] == '\n' ? 1 : 0;
        ++at_;
      }
      at_ = std::min(text_.size(), at_ + 2);
    } else if (c == ';') {
      while (at_ < text_.size() && text_[at_] != '\n') {
        ++at_;
      }
    } else {
      return;
    }
  }
}

bool LispReader::next(LispRef* value) {
  skipBlanks();
  if (at_ >= text_.size()) {
    return false;
  }
  *value = readValue(0);
  return true;
}

LispRef LispReader::readValue(int depth) {
  checkLispStack(depth, line_);
  skipBlanks();
  if (at_ >= text_.size()) {
    fail("malformed list on input");
  }
  const char c = text_[at_];
  if (c == '(') {
    return readList(depth + 1);
  }
  if (c == ')') {
    fail("extra right paren on input");
  }
  if (c == '\'') {
    ++at_;
    const int line = line_;
    LispRef quoted = readValue(depth + 1);
    return cons(machine_.intern("QUOTE"), cons(std::move(quoted), LispRef()), line);
  }
  if (c == '"') {
    ++at_;
    return makeString(readString());
  }
  return readAtom();
}

LispRef LispReader::readList(int depth) {
  const int line = line_;
  ++at_; // (
  LispListBuilder items;
  bool any = false;
  for (;;) {
    skipBlanks();
    if (at_ >= text_.size()) {
      fail("malformed list on input");
    }
    if (text_[at_] == ')') {
      ++at_;
      break;
    }
    if (text_[at_] == '.' && at_ + 1 < text_.size() && endsToken(text_[at_ + 1])) {
      ++at_;
      if (!any) {
        fail("misplaced dot on input");
      }
      items.setTail(readValue(depth));
      skipBlanks();
      if (at_ >= text_.size()) {
        fail("malformed list on input");
      }
      if (text_[at_] != ')') {
        fail("misplaced dot on input");
      }
      ++at_;
      break;
    }
    items.add(readValue(depth));
    any = true;
  }
  LispRef list = items.take();
  if (list) {
    list->line = line;
  }
  return list;
}

std::string LispReader::readString() {
  std::string out;
  for (;;) {
    if (at_ >= text_.size()) {
      fail("malformed string on input");
    }
    const char c = text_[at_++];
    if (c == '"') {
      return out;
    }
    if (c == '\n') {
      ++line_;
    }
    if (c != '\\' || at_ >= text_.size()) {
      out += c;
      continue;
    }
    const char e = text_[at_++];
    switch (e) {
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    case 't':
      out += '\t';
      break;
    case 'e':
      out += '\x1b';
      break;
    default:
      if (e >= '0' && e <= '7') {
        // Up to three octal digits.
        int code = e - '0';
        for (int i = 0; i < 2 && at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '7';
             ++i) {
          code = code * 8 + (text_[at_++] - '0');
        }
        out += static_cast<char>(code & 0xFF);
      } else {
        if (e == '\n') {
          ++line_;
        }
        out += e; // \\, \" and any other character stand for themselves
      }
    }
  }
}

LispRef LispReader::readAtom() {
  const size_t start = at_;
  while (at_ < text_.size() && !endsToken(text_[at_])) {
    ++at_;
  }
  const std::string token = text_.substr(start, at_ - start);
  LispRef number;
  if (readNumber(token, &number)) {
    return number;
  }
  return machine_.intern(token);
}

std::string printReal(double value) {
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
  // The host's runtime writes at least three exponent digits.
  std::string exponent = text.substr(e + 2);
  while (exponent.size() < 3) {
    exponent.insert(exponent.begin(), '0');
  }
  return mantissa + "e" + text[e + 1] + exponent;
}

std::string quoteString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
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
    case 0x1b:
      out += "\\e";
      break;
    default:
      if (c < 0x20) {
        char octal[8];
        std::snprintf(octal, sizeof octal, "\\%03o", c);
        out += octal;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  return out + "\"";
}

namespace {

std::string printAtom(const LispCell* cell, bool quoted) {
  char buffer[96];
  if (cell == nullptr) {
    return "nil";
  }
  switch (cell->kind) {
  case LispKind::Integer:
    return std::to_string(cell->integer);
  case LispKind::Real:
    return printReal(cell->real);
  case LispKind::String:
    return quoted ? quoteString(cell->text) : cell->text;
  case LispKind::Symbol:
    return cell->text;
  case LispKind::EntityName:
    std::snprintf(buffer, sizeof buffer, "<Entity name: %llx>",
                  static_cast<unsigned long long>(cell->name[0]));
    return buffer;
  case LispKind::SelectionSet:
    std::snprintf(buffer, sizeof buffer, "<Selection set: %llx>",
                  static_cast<unsigned long long>(cell->name[0]));
    return buffer;
  case LispKind::File:
    return "#<file \"" + cell->text + "\">";
  case LispKind::Subr:
  case LispKind::UserFunction:
    std::snprintf(buffer, sizeof buffer, "#<%s @%08llx ",
                  cell->kind == LispKind::Subr ? "SUBR" : "USUBR",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(cell)));
    return buffer + cell->text + ">";
  case LispKind::CatchAllError:
    return "#<%catch-all-apply-error%>";
  case LispKind::Cons:
    break;
  }
  return "";
}

} // namespace

std::string printValue(const LispRef& value, bool quoted) {
  if (!isCons(value)) {
    return printAtom(value.get(), quoted);
  }
  // Lists nest without bound, so the open ones are kept on a stack of their own.
  struct Open {
    const LispCell* rest;
    bool first;
  };
  std::vector<Open> open{{value.get(), true}};
  std::string out = "(";
  while (!open.empty()) {
    Open& top = open.back();
    const LispCell* rest = top.rest;
    if (rest == nullptr) {
      out += ')';
      open.pop_back();
      continue;
    }
    if (rest->kind != LispKind::Cons) {
      out += " . " + printAtom(rest, quoted) + ")";
      open.pop_back();
      continue;
    }
    if (!top.first) {
      out += ' ';
    }
    top.first = false;
    top.rest = rest->cdr.get();
    if (isCons(rest->car)) {
      out += '(';
      open.push_back({rest->car.get(), true});
    } else {
      out += printAtom(rest->car.get(), quoted);
    }
  }
  return out;
}

} // namespace sim::detail
