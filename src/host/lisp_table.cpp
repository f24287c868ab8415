// The module's AutoLISP functions. Each handler reads its arguments with acedGetArgs and answers
// through the host's result calls; wrong arguments answer nil.
#include "host/lisp_table.h"

#include "host/folders.h"
#include "host/numeric_string.h"
#include "host/user_break.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

// The text argument at the head of the arguments, or null.
const char* textArgument(const resbuf* args) {
  return args != nullptr && args->restype == RTSTR ? args->resval.rstring : nullptr;
}

// The maximum length for the numeric test: the optional integer after the text, else room for
// the whole text. Negative when the argument is of another type or below 0.
long long lengthArgument(const resbuf* args, const char* text) {
  const resbuf* limit = args->rbnext;
  if (limit == nullptr) {
    size_t length = 0;
    while (text[length] != '\0') {
      ++length;
    }
    return static_cast<long long>(length) + 1;
  }
  if (limit->restype == RTSHORT) {
    return limit->resval.rint;
  }
  if (limit->restype == RTLONG) {
    return limit->resval.rlong;
  }
  return -1;
}

// Reads the (text [maxLength]) arguments of the numeric functions; false when they are not those.
bool numericArguments(const char** text, size_t* limit) {
  const resbuf* args = acedGetArgs();
  *text = textArgument(args);
  if (*text == nullptr) {
    return false;
  }
  const long long length = lengthArgument(args, *text);
  *limit = static_cast<size_t>(length);
  return length >= 0;
}

// (qv_isnumeric text [maxLength]) -> T or nil
int lispIsNumeric() {
  const char* text = nullptr;
  size_t limit = 0;
  if (!numericArguments(&text, &limit)) {
    return acedRetNil();
  }
  return isNumericString(text, limit) ? acedRetT() : acedRetNil();
}

// (qv_numval text [maxLength]) -> the number, or -98765432.1
int lispNumericValue() {
  const char* text = nullptr;
  size_t limit = 0;
  if (!numericArguments(&text, &limit)) {
    return acedRetNil();
  }
  return acedRetReal(numericStringValue(text, limit));
}

// (qv_userbreak) -> 1 when the user has pressed ESC, else 0
int lispUserBreak() {
  return acedRetInt(checkUserBreak());
}

// (qv_userfolder) -> the user folder the module knows
int lispUserFolder() {
  return acedRetStr(userFolder);
}

using Handler = int (*)();

const Handler lispFunctionHandlers[] = {
    lispIsNumeric,
    lispNumericValue,
    lispUserBreak,
    lispUserFolder,
};

} // namespace

const char* const lispFunctionNames[] = {
    "qv_isnumeric",
    "qv_numval",
    "qv_userbreak",
    "qv_userfolder",
};
const size_t lispFunctionCount = sizeof lispFunctionNames / sizeof lispFunctionNames[0];

static_assert(sizeof lispFunctionNames / sizeof lispFunctionNames[0] ==
                  sizeof lispFunctionHandlers / sizeof lispFunctionHandlers[0],
              "every function of the table has one handler");

int defineLispFunctions() {
  for (size_t code = 0; code < lispFunctionCount; ++code) {
    if (acedDefun(lispFunctionNames[code], static_cast<short>(code)) != RTNORM) {
      return RTERROR;
    }
  }
  return RTNORM;
}

int undefineLispFunctions() {
  for (size_t code = 0; code < lispFunctionCount; ++code) {
    acedUndef(lispFunctionNames[code], static_cast<short>(code));
  }
  return RTNORM;
}

int dispatchLispFunction() {
  const int code = acedGetFunCode();
  if (code < 0) {
    return 0;
  }
  if (static_cast<size_t>(code) < lispFunctionCount) {
    lispFunctionHandlers[code]();
    return 1;
  }
  acdbFail("Received nonexistent function code.");
  return 0;
}

} // namespace qv
