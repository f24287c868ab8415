// System-variable access over acedGetVar and acedSetVar.
#include "host/sys_vars.h"

#include <cstring>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

// A buffer of the type filled by acedGetVar; null when the host refused or answered another
// type. The caller releases it.
resbuf* readVar(const char* name, int type) {
  if (name == nullptr) {
    return nullptr;
  }
  resbuf* value = acutNewRb(type);
  if (value == nullptr) {
    return nullptr;
  }
  // A failing acedGetVar leaves the value as it was: the release must not find a stray string.
  std::memset(&value->resval, 0, sizeof value->resval);
  if (acedGetVar(name, value) != RTNORM || value->restype != type) {
    acutRelRb(value);
    return nullptr;
  }
  return value;
}

int writeVar(const char* name, const resbuf& value) {
  return name != nullptr && acedSetVar(name, &value) == RTNORM ? 1 : 0;
}

} // namespace

int getSysVarString(char* buffer, size_t size, const char* name) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  buffer[0] = '\0';
  resbuf* value = readVar(name, RTSTR);
  const bool ok = value != nullptr && value->resval.rstring != nullptr &&
                  std::strlen(value->resval.rstring) < size;
  if (ok) {
    std::strcpy(buffer, value->resval.rstring);
  }
  acutRelRb(value);
  return ok ? 1 : 0;
}

int getSysVarReal(double* result, const char* name) {
  if (result == nullptr) {
    return 0;
  }
  *result = 0.0;
  resbuf* value = readVar(name, RTREAL);
  const bool ok = value != nullptr;
  if (ok) {
    *result = value->resval.rreal;
  }
  acutRelRb(value);
  return ok ? 1 : 0;
}

int getSysVarShort(int32_t* result, const char* name) {
  if (result == nullptr) {
    return 0;
  }
  *result = 0;
  resbuf* value = readVar(name, RTSHORT);
  const bool ok = value != nullptr;
  if (ok) {
    *result = value->resval.rint;
  }
  acutRelRb(value);
  return ok ? 1 : 0;
}

int setSysVarString(const char* name, const char* text) {
  if (text == nullptr) {
    return 0;
  }
  resbuf value{};
  value.restype = RTSTR;
  value.resval.rstring = const_cast<char*>(text); // acedSetVar only reads it
  return writeVar(name, value);
}

int setSysVarReal(const char* name, double number) {
  resbuf value{};
  value.restype = RTREAL;
  value.resval.rreal = number;
  return writeVar(name, value);
}

int setSysVarShort(const char* name, int16_t number) {
  resbuf value{};
  value.restype = RTSHORT;
  value.resval.rint = number;
  return writeVar(name, value);
}

} // namespace qv
