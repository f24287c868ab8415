// The current unit system: factors and the user's names for units, stations and dates, read from
// the family's AutoLISP symbols.
#pragma once

#include <cstdint>

namespace qv {

// Filled by readUnitsContext; a record made here has valid 0. The two unit weights are the same
// quantities in kilograms per cubic metre (metric) and pounds per cubic foot (imperial).
struct QvUnitsContext {
  double volumeFactor = 0.0;
  double weightFactor = 0.0;
  char unitAbbrev[10] = {};
  char unitName[50] = {};
  char tonName[50] = {};
  char stationName[50] = {};
  char dateFormat[50] = {};
  double lengthValue = 0.0;
  double unitWeightA = 0.0;
  double extraValue = 0.0;
  double unitWeightB = 0.0;
  int32_t valid = 0;
};

// The context of the unit system that "is_metric" names: metric when it holds a non-zero number
// (integer or real), T, or a text that reads as a non-zero integer; imperial otherwise (missing,
// nil, zero). Metric: 1.0, 1000.0, "m", the text of "qvan_meter_name", 2.0, 1282.0, 0.0, 2403.0.
// Imperial: 27.0, 2000.0, "ft", "foot", 6.0, 80.0, 0.0, 150.0. Both: "qvan_ton_name" or "ton",
// "qvan_station_name" or "station", "qvan_date_format" or "mm/dd/yyyy" (a default where the
// symbol's text is empty); a longer text is cut to its field. valid is 1.
QvUnitsContext readUnitsContext();

} // namespace qv
