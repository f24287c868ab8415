// The filter list of acedSSGet, read once and then asked about each entity's groups.
//
// Every item of the list is a condition and all of them must hold. A condition is a group that
// the entity must have (strings by wild-card: names of types, layers, blocks, styles, linetypes
// and applications without regard to case, other texts with it), a group preceded by a -4
// relational operator ("*", "=", "!=", "/=", "<>", "<", "<=", ">", ">=", and for integers "&",
// "&="; points take one operator per coordinate, "op,op,op", a missing one being "*", or one
// operator for all), a -3 followed by 1001 application names (the entity has extended data of
// each), or a logical group between -4 "<AND" ... "AND>", "<OR" ... "OR>" (one or more
// conditions), "<XOR" ... "XOR>" (exactly two), "<NOT" ... "NOT>" (exactly one), in any case.
// An entity with several groups of the code passes when one of them does; a group the entity
// lacks is taken at its default where the drawing has one (62 colour 256 BYLAYER, 6 linetype
// "BYLAYER", 39 thickness 0, 48 linetype scale 1, 60 visibility 0, 67 model space 0, 210 normal
// (0,0,1)), else the condition fails. Reals and coordinates are equal within 1e-10 relative.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"
#include "platform/acad/internal/wildcard_match.h"

namespace sim::detail {

// The host's ERRNO values for a badly formed filter.
enum FilterError {
  kFilterPrematureEnd = 56,
  kFilterMissingOperand = 57,
  kFilterBadOperator = 58,
  kFilterVoidClause = 59,
  kFilterClauseMismatch = 60,
  kFilterOperandCount = 61,
  kFilterTooDeep = 62,
  kFilterBadGroupCode = 63,
  kFilterBadStringTest = 64,
  kFilterBadVectorTest = 65,
  kFilterBadRealTest = 66,
  kFilterBadIntegerTest = 67,
};

// Deepest nesting of logical groups that a filter may have.
inline constexpr int kFilterMaxDepth = 64;

class SelectionFilter {
public:
  SelectionFilter();
  ~SelectionFilter();
  SelectionFilter(SelectionFilter&&) noexcept;
  SelectionFilter& operator=(SelectionFilter&&) noexcept;

  // Reads a filter list (null: everything passes). False for a badly formed list, with the
  // host's ERRNO value in *error.
  bool read(const resbuf* filter, int* error);
  // True when the entity passes: its groups as acdbEntGet gives them, and its extended data
  // (1001 application names, each followed by its groups; null: none).
  bool passes(const EntityGroups& groups, const EntityGroups* extendedData) const;

  enum class Op : unsigned char {
    Any,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    BitAnd,
    BitMaskEqual
  };
  struct Node;

private:
  std::vector<Node> nodes_; // nodes_[0] is the implied AND of the whole list
  friend class FilterReader;
};

// The value kind by which a filter and an entity's list carry a group code (reals for the
// elevation and thickness 38 and 39; otherwise as the result buffers carry them).
enum class FilterValueKind { String, Real, Point, Vector, Integer, Name, None };
FilterValueKind filterValueKind(int code);

} // namespace sim::detail
