// The host bridge's AutoLISP functions: the numeric-string test, the user-break latch and the
// user folder.
#include <climits>
#include <cstring>
#include <string>

#include "host/folders.h"
#include "host/numeric_string.h"
#include "host/user_break.h"
#include "module/lisp_args.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"

namespace qv {

namespace {

// Reads (text [maxLength]); the length defaults to room for the whole text. A negative length is
// refused with the host's "bad argument value" report.
bool numericArguments(const char*& text, size_t& limit) {
  LispArgs args;
  int length = INT_MIN; // absent
  if (!args.text(text) || !args.optionalInteger(length) || !args.done()) {
    return false;
  }
  if (length == INT_MIN) {
    limit = std::strlen(text) + 1;
    return true;
  }
  if (length < 0) {
    printLispError(("bad argument value: non-negative " + std::to_string(length)).c_str());
    return false;
  }
  limit = static_cast<size_t>(length);
  return true;
}

} // namespace

int lispIsNumeric() {
  const char* text = nullptr;
  size_t limit = 0;
  if (!numericArguments(text, limit)) {
    return acedRetNil();
  }
  return isNumericString(text, limit) ? acedRetT() : acedRetNil();
}

int lispNumericValue() {
  const char* text = nullptr;
  size_t limit = 0;
  if (!numericArguments(text, limit)) {
    return acedRetNil();
  }
  return acedRetReal(numericStringValue(text, limit));
}

int lispUserBreak() {
  LispArgs args;
  return args.done() ? acedRetInt(checkUserBreak()) : acedRetNil();
}

int lispUserFolder() {
  LispArgs args;
  return args.done() ? acedRetStr(userFolder) : acedRetNil();
}

} // namespace qv
