// Values as the stand-in's AutoLISP keeps them (symbols, arguments, results), and their copying
// to and from host result-buffer lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/acad/adsdef.h"

namespace sim::detail {

// One element of a value: an atom, or a list bracket or dot of the list form.
struct LispItem {
  short type = RTNIL;
  double real = 0.0;           // RTREAL, RTANG, RTORINT
  double point[3] = {0, 0, 0}; // RTPOINT, RT3DPOINT
  int32_t integer = 0;         // RTSHORT, RTLONG
  std::string text;            // RTSTR
  int64_t name[2] = {0, 0};    // RTENAME, RTPICKS
};

// A value in the host's list form: one item for an atom, RTLB ... RTLE for a list.
using LispValue = std::vector<LispItem>;

// Copies a host list into items. False when an item has a type that AutoLISP values cannot hold
// or a string item has a null text.
bool readChain(const resbuf* chain, LispValue& out);
// A new host list (acutNewRb, counted) with the items; null for no items or when memory fails.
resbuf* makeChain(const LispValue& value);
// The item of one atom.
LispItem atomOf(short type);

} // namespace sim::detail
