// AutoLISP symbols of the variable sets, over acedGetSym and acedPutSym.
#include "settings/internal/lisp_values.h"

#include <cinttypes>
#include <cstring>

#include "host/lisp_symbols.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "settings/internal/value_text.h"

namespace qv::settingsfile {

namespace {

// The symbol's value, or null when it has none; the caller releases it.
resbuf* symbolValue(const char* name) {
  resbuf* value = nullptr;
  if (name == nullptr || acedGetSym(name, &value) != RTNORM) {
    acutRelRb(value);
    return nullptr;
  }
  return value;
}

bool textOf(const resbuf* value, std::string& text) {
  switch (value->restype) {
  case RTSTR:
    if (value->resval.rstring == nullptr) {
      return false;
    }
    text = value->resval.rstring;
    return true;
  case RTSHORT:
    text = printText("%d", value->resval.rint);
    return true;
  case RTREAL:
    text = printText("%f", value->resval.rreal);
    return true;
  case RTLONG:
    text = printText("%" PRId32, value->resval.rlong);
    return true;
  default:
    return false;
  }
}

// Releases a host list when it goes out of scope.
struct ListGuard {
  resbuf* list;
  ~ListGuard() { acutRelRb(list); }
};

} // namespace

bool readLispText(const char* name, std::string& text) {
  text.clear();
  ListGuard value{symbolValue(name)};
  if (value.list == nullptr && name != nullptr && std::strcmp(name, "lspdir$") == 0) {
    value.list = symbolValue("mc_lspdir$");
  }
  if (value.list == nullptr || !textOf(value.list, text)) {
    text.clear();
    return false;
  }
  return true;
}

int setLispInteger(const char* name, int32_t value) {
  if (value >= INT16_MIN && value <= INT16_MAX) {
    return setLispShort(name, static_cast<int16_t>(value));
  }
  resbuf* item = acutNewRb(RTLONG);
  int status = RTERROR;
  if (item != nullptr) {
    item->resval.rlong = value;
    status = acedPutSym(name, item);
    acutRelRb(item);
  }
  if (status != RTNORM) {
    acutPrintf("Unable to set AutoLisp variable\n");
  }
  return status;
}

} // namespace qv::settingsfile
