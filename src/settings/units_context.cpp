// Reading the unit system and the user's unit names.
#include "settings/units_context.h"

#include <cstdio>
#include <cstdlib>

#include "host/lisp_symbols.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "settings/internal/value_text.h"

namespace qv {

namespace {

using settingsfile::copyCapped;

bool isMetric() {
  resbuf* value = nullptr;
  bool metric = false;
  if (acedGetSym("is_metric", &value) == RTNORM && value != nullptr) {
    switch (value->restype) {
    case RTSHORT:
      metric = value->resval.rint != 0;
      break;
    case RTLONG:
      metric = value->resval.rlong != 0;
      break;
    case RTREAL:
      metric = value->resval.rreal != 0.0;
      break;
    case RTT:
      metric = true;
      break;
    case RTSTR:
      metric = value->resval.rstring != nullptr && std::atoi(value->resval.rstring) != 0;
      break;
    default:
      break;
    }
  }
  acutRelRb(value);
  return metric;
}

// The symbol's text, or fallback when it is empty, cut to the field.
template <size_t N> void readName(char (&field)[N], const char* symbol, const char* fallback) {
  char text[512];
  getLispString(text, symbol);
  copyCapped(field, N, text[0] != '\0' ? text : fallback);
}

} // namespace

QvUnitsContext readUnitsContext() {
  QvUnitsContext units;
  if (isMetric()) {
    units.volumeFactor = 1.0;
    units.weightFactor = 1000.0;
    std::snprintf(units.unitAbbrev, sizeof units.unitAbbrev, "m");
    readName(units.unitName, "qvan_meter_name", "");
    units.lengthValue = 2.0;
    units.unitWeightA = 1282.0;
    units.unitWeightB = 2403.0;
  } else {
    units.volumeFactor = 27.0;
    units.weightFactor = 2000.0;
    std::snprintf(units.unitAbbrev, sizeof units.unitAbbrev, "ft");
    std::snprintf(units.unitName, sizeof units.unitName, "foot");
    units.lengthValue = 6.0;
    units.unitWeightA = 80.0;
    units.unitWeightB = 150.0;
  }
  units.extraValue = 0.0;
  readName(units.tonName, "qvan_ton_name", "ton");
  readName(units.stationName, "qvan_station_name", "station");
  readName(units.dateFormat, "qvan_date_format", "mm/dd/yyyy");
  units.valid = 1;
  return units;
}

} // namespace qv
