// AutoLISP's wild-card match (wcmatch): # digit, @ letter, . other character, * any run, ? any
// character, [...] and [~...] sets with ranges, ` escape, ~ first to negate, commas between
// alternatives. Case counts.
#pragma once

#include <string>

namespace sim::detail {

bool wildcardMatch(const std::string& text, const std::string& pattern);

} // namespace sim::detail
