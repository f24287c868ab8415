// AutoLISP symbol readers and writers over acedGetSym and acedPutSym.
#include "host/lisp_symbols.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

// The symbol's value (null when it has none); the caller releases it.
resbuf* readSymbol(const char* name) {
  resbuf* value = nullptr;
  if (name == nullptr || acedGetSym(name, &value) != RTNORM) {
    acutRelRb(value);
    return nullptr;
  }
  return value;
}

// Prints into buffer; false when the text does not fit.
bool printInto(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool printInto(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  return length >= 0 && static_cast<size_t>(length) < size;
}

bool textOf(const resbuf* value, char* buffer, size_t size) {
  switch (value->restype) {
  case RTSTR:
    return value->resval.rstring != nullptr && printInto(buffer, size, "%s", value->resval.rstring);
  case RTSHORT:
    return printInto(buffer, size, "%d", value->resval.rint);
  case RTREAL:
    return printInto(buffer, size, "%f", value->resval.rreal);
  case RTLONG:
    return printInto(buffer, size, "%" PRId32, value->resval.rlong);
  default:
    return false;
  }
}

int writeSymbol(const char* name, resbuf* value) {
  const int status = value == nullptr ? RTERROR : acedPutSym(name, value);
  acutRelRb(value);
  if (status != RTNORM) {
    acutPrintf("Unable to set AutoLisp variable\n");
  }
  return status;
}

} // namespace

int getLispString(char* buffer, size_t size, const char* name) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  buffer[0] = '\0';
  resbuf* value = readSymbol(name);
  if (value == nullptr && name != nullptr && std::strcmp(name, "lspdir$") == 0) {
    value = readSymbol("mc_lspdir$");
  }
  const bool ok = value != nullptr && textOf(value, buffer, size);
  acutRelRb(value);
  if (!ok) {
    buffer[0] = '\0';
  }
  return ok ? 1 : 0;
}

int getLispInt(int32_t* value, const char* name) {
  if (value == nullptr) {
    return 0;
  }
  *value = 0;
  resbuf* symbol = readSymbol(name);
  int ok = 0;
  if (symbol != nullptr && symbol->restype == RTSHORT) {
    *value = symbol->resval.rint;
    ok = 1;
  } else if (symbol != nullptr && symbol->restype == RTLONG) {
    *value = symbol->resval.rlong;
    ok = 1;
  }
  acutRelRb(symbol);
  return ok;
}

int getLispReal(double* value, const char* name) {
  if (value == nullptr) {
    return 0;
  }
  *value = 0.0;
  resbuf* symbol = readSymbol(name);
  int ok = 1;
  if (symbol != nullptr && symbol->restype == RTREAL) {
    *value = symbol->resval.rreal;
  } else if (symbol != nullptr && symbol->restype == RTSHORT) {
    *value = symbol->resval.rint;
  } else if (symbol != nullptr && symbol->restype == RTLONG) {
    *value = symbol->resval.rlong;
  } else {
    ok = 0;
  }
  acutRelRb(symbol);
  return ok;
}

int getLispPoint(ads_real* point, const char* name) {
  if (point == nullptr) {
    return 0;
  }
  point[X] = point[Y] = point[Z] = kUnsetCoordinate;
  resbuf* symbol = readSymbol(name);
  int ok = 0;
  if (symbol != nullptr && (symbol->restype == RT3DPOINT || symbol->restype == RTPOINT)) {
    point[X] = symbol->resval.rpoint[X];
    point[Y] = symbol->resval.rpoint[Y];
    point[Z] = symbol->restype == RTPOINT ? 0.0 : symbol->resval.rpoint[Z];
    ok = 1;
  }
  acutRelRb(symbol);
  return ok;
}

int setLispString(const char* name, const char* text) {
  resbuf* value = acutNewRb(RTSTR);
  if (value != nullptr) {
    value->resval.rstring = acad_strdup(text == nullptr ? "" : text);
    if (value->resval.rstring == nullptr) {
      acutRelRb(value);
      value = nullptr;
    }
  }
  return writeSymbol(name, value);
}

int setLispReal(const char* name, double number) {
  resbuf* value = acutNewRb(RTREAL);
  if (value != nullptr) {
    value->resval.rreal = number;
  }
  return writeSymbol(name, value);
}

int setLispPoint(const char* name, const ads_real* point) {
  resbuf* value = point == nullptr ? nullptr : acutNewRb(RT3DPOINT);
  if (value != nullptr) {
    value->resval.rpoint[X] = point[X];
    value->resval.rpoint[Y] = point[Y];
    value->resval.rpoint[Z] = point[Z];
  }
  return writeSymbol(name, value);
}

int setLispShort(const char* name, int16_t number) {
  resbuf* value = acutNewRb(RTSHORT);
  if (value != nullptr) {
    value->resval.rint = number;
  }
  return writeSymbol(name, value);
}

int setLispEntityName(const char* name, const int64_t* entityName) {
  resbuf* value = entityName == nullptr ? nullptr : acutNewRb(RTENAME);
  if (value != nullptr) {
    value->resval.rlname[0] = entityName[0];
    value->resval.rlname[1] = entityName[1];
  }
  return writeSymbol(name, value);
}

} // namespace qv
