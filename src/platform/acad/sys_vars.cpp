// The host's system variables: a typed table with the host's defaults, read and set by name
// without regard to case, refusing wrong types, read-only variables and values out of range.
#include "platform/acad/acedads.h"

#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace sim::detail {

namespace {

// Error numbers the host notes in ERRNO.
constexpr int kReadOnly = 20;
constexpr int kOutOfRange = 22;
constexpr int kBadType = 93;

SysVar shortVar(int16_t value, double low, double high, bool readOnly = false) {
  SysVar var;
  var.type = RTSHORT;
  var.shortValue = value;
  var.low = low;
  var.high = high;
  var.readOnly = readOnly;
  return var;
}

SysVar realVar(double value, double low, double high, bool readOnly = false) {
  SysVar var;
  var.type = RTREAL;
  var.real = value;
  var.low = low;
  var.high = high;
  var.readOnly = readOnly;
  return var;
}

SysVar stringVar(const char* value, bool readOnly) {
  SysVar var;
  var.type = RTSTR;
  var.text = value;
  var.readOnly = readOnly;
  return var;
}

SysVar pointVar(double x, double y, double z, bool readOnly) {
  SysVar var;
  var.type = RT3DPOINT;
  var.point[X] = x;
  var.point[Y] = y;
  var.point[Z] = z;
  var.readOnly = readOnly;
  return var;
}

void notifySysVar(const char* name, bool changed, bool success) {
  sim::notifyEditorReactors([&](AcEditorReactor& reactor) {
    if (changed) {
      reactor.sysVarChanged(name, success);
    } else {
      reactor.sysVarWillChange(name);
    }
  });
}

// Checks the value against the variable and stores it; 0 or the ERRNO of the refusal.
int assign(SysVar& var, const resbuf& value) {
  if (var.readOnly) {
    return kReadOnly;
  }
  const bool isInteger = value.restype == RTSHORT || value.restype == RTLONG;
  const double number = value.restype == RTSHORT  ? value.resval.rint
                        : value.restype == RTLONG ? value.resval.rlong
                                                  : value.resval.rreal;
  switch (var.type) {
  case RTSHORT:
    if (!isInteger) {
      return kBadType;
    }
    if (number < -32768 || number > 32767 ||
        (var.low < var.high && (number < var.low || number > var.high))) {
      return kOutOfRange;
    }
    var.shortValue = static_cast<int16_t>(number);
    return 0;
  case RTREAL:
    if (!isInteger && value.restype != RTREAL) {
      return kBadType;
    }
    if (var.low < var.high && (number < var.low || number > var.high)) {
      return kOutOfRange;
    }
    var.real = number;
    return 0;
  case RTSTR:
    if (value.restype != RTSTR || value.resval.rstring == nullptr) {
      return kBadType;
    }
    var.text = value.resval.rstring;
    return 0;
  case RT3DPOINT:
    if (value.restype != RT3DPOINT && value.restype != RTPOINT) {
      return kBadType;
    }
    var.point[X] = value.resval.rpoint[X];
    var.point[Y] = value.resval.rpoint[Y];
    var.point[Z] = value.restype == RTPOINT ? 0.0 : value.resval.rpoint[Z];
    return 0;
  default:
    return kBadType;
  }
}

// The drawing's own variables: with no drawing open there is none to name.
bool isDrawingVar(const std::string& key) {
  return key == "DWGNAME" || key == "DWGPREFIX" || key == "DWGTITLED";
}

SysVar& simVar(const std::string& name, short type) {
  HostState& state = host();
  auto found = state.sysVars.find(upperCase(name));
  if (found == state.sysVars.end()) {
    SysVar var;
    var.type = type;
    found = state.sysVars.emplace(upperCase(name), var).first;
  }
  found->second.type = type;
  return found->second;
}

} // namespace

std::map<std::string, SysVar> defaultSysVars() {
  const double any = 0.0; // low == high: no range
  return {
      // The support folders, each with its final backslash, separated by ';'.
      {"ACADPREFIX", stringVar("C:\\Documents and Settings\\user\\Application Data\\Autodesk\\"
                               "AutoCAD 2004\\R16.0\\enu\\support\\;"
                               "C:\\Program Files\\AutoCAD 2004\\support\\;"
                               "C:\\Program Files\\AutoCAD 2004\\fonts\\;"
                               "C:\\Program Files\\AutoCAD 2004\\help\\;"
                               "C:\\Program Files\\AutoCAD 2004\\express\\",
                               true)},
      {"ANGBASE", realVar(0.0, any, any)},
      {"ANGDIR", shortVar(0, 0, 1)},
      {"APERTURE", shortVar(10, 1, 50)},
      {"AUNITS", shortVar(0, 0, 4)},
      {"AUPREC", shortVar(0, 0, 8)},
      {"CLAYER", stringVar("0", false)},
      {"CMDECHO", shortVar(1, 0, 1)},
      {"DIMASZ", realVar(0.18, 0.0, 1e300)},
      {"DIMGAP", realVar(0.09, -1e300, 1e300)},
      {"DIMSCALE", realVar(1.0, 0.0, 1e300)},
      {"DIMTXT", realVar(0.18, 0.0, 1e300)},
      {"DIMZIN", shortVar(0, 0, 15)},
      {"DWGNAME", stringVar("Drawing1.dwg", true)},
      {"DWGPREFIX", stringVar("C:\\Documents and Settings\\user\\My Documents\\", true)},
      {"DWGTITLED", shortVar(0, 0, 1, true)},
      {"ERRNO", shortVar(0, any, any)},
      {"LUNITS", shortVar(2, 1, 5)},
      {"LUPREC", shortVar(4, 0, 8)},
      // Bit 16384 is "object snaps suppressed", so every positive 16-bit value is a mode.
      {"OSMODE", shortVar(4133, 0, 32767)},
      {"TEXTSIZE", realVar(0.2, 0.0, 1e300)},
      {"UNITMODE", shortVar(0, 0, 1)},
      {"VIEWCTR", pointVar(6.0, 4.5, 0.0, true)},
      {"VIEWSIZE", realVar(9.0, any, any, true)},
      // The installation's serial number: one text per host installation.
      {"*_PKSER", stringVar("400-12345678", true)},
  };
}

} // namespace sim::detail

using namespace sim::detail;

int acedGetVar(const char* name, resbuf* result) {
  if (shouldFail(FailableCall::acedGetVar) || name == nullptr || result == nullptr) {
    return RTERROR;
  }
  HostState& state = host();
  const std::string key = upperCase(name);
  auto found = state.sysVars.find(key);
  if (found == state.sysVars.end() || (isDrawingVar(key) && currentDocument(state) == nullptr)) {
    return RTERROR;
  }
  const SysVar& var = found->second;
  switch (var.type) {
  case RTSHORT:
    result->resval.rint = var.shortValue;
    break;
  case RTREAL:
    result->resval.rreal = var.real;
    break;
  case RTSTR: {
    char* copy = acad_strdup(var.text.c_str());
    if (copy == nullptr) {
      return RTERROR;
    }
    result->resval.rstring = copy;
    break;
  }
  case RT3DPOINT:
    std::memcpy(result->resval.rpoint, var.point, sizeof var.point);
    break;
  default:
    return RTERROR;
  }
  result->restype = var.type;
  return RTNORM;
}

int acedSetVar(const char* name, const resbuf* value) {
  if (shouldFail(FailableCall::acedSetVar) || name == nullptr || value == nullptr) {
    return RTERROR;
  }
  const std::string key = upperCase(name);
  if (host().sysVars.count(key) == 0) {
    return RTERROR;
  }
  notifySysVar(name, false, false);
  // A reactor may have changed the table: look the variable up again.
  auto found = host().sysVars.find(key);
  const int refusal = found == host().sysVars.end() ? kBadType : assign(found->second, *value);
  if (refusal != 0) {
    setErrno(refusal);
  }
  notifySysVar(name, true, refusal == 0);
  return refusal == 0 ? RTNORM : RTERROR;
}

namespace sim {

void setSysVarShort(const std::string& name, int16_t value) {
  detail::simVar(name, RTSHORT).shortValue = value;
}

void setSysVarReal(const std::string& name, double value) {
  detail::simVar(name, RTREAL).real = value;
}

void setSysVarString(const std::string& name, const std::string& value) {
  detail::simVar(name, RTSTR).text = value;
}

void setSysVarPoint(const std::string& name, double x, double y, double z) {
  SysVar& var = detail::simVar(name, RT3DPOINT);
  var.point[X] = x;
  var.point[Y] = y;
  var.point[Z] = z;
}

void removeSysVar(const std::string& name) {
  host().sysVars.erase(upperCase(name));
}

std::vector<double> sysVarNumbers(const std::string& name) {
  auto found = host().sysVars.find(upperCase(name));
  if (found == host().sysVars.end()) {
    return {};
  }
  const SysVar& var = found->second;
  switch (var.type) {
  case RTSHORT:
    return {static_cast<double>(var.shortValue)};
  case RTREAL:
    return {var.real};
  case RT3DPOINT:
    return {var.point[X], var.point[Y], var.point[Z]};
  default:
    return {};
  }
}

} // namespace sim
