// Reading and applying the filter lists of acedSSGet.
#include "platform/acad/internal/selection_filter.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "platform/acad/internal/group_value.h"
#include "platform/acad/internal/rb_kinds.h"

namespace sim::detail {

struct SelectionFilter::Node {
  enum Kind { And, Or, Xor, Not, Test, ExtendedData } kind = And;
  std::vector<size_t> children;
  int code = 0;
  FilterValueKind valueKind = FilterValueKind::None;
  Op ops[3] = {Op::Equal, Op::Equal, Op::Equal};
  std::optional<WildcardPattern> pattern;    // String
  double value[3] = {};                      // Real (value[0]), Point, Vector
  int64_t integer = 0;                       // Integer
  int64_t name[2] = {};                      // Name
  std::vector<WildcardPattern> applications; // ExtendedData
};

FilterValueKind filterValueKind(int code) {
  if (code == 38 || code == 39) {
    return FilterValueKind::Real;
  }
  if (code == -1 || code == -2) {
    return FilterValueKind::None; // not a property of the entity that a filter may test
  }
  switch (rbValueKind(code)) {
  case RbValueKind::String:
    return FilterValueKind::String;
  case RbValueKind::Real:
    return FilterValueKind::Real;
  case RbValueKind::Point:
    return (code >= 210 && code <= 239) ? FilterValueKind::Vector : FilterValueKind::Point;
  case RbValueKind::Short:
  case RbValueKind::Long:
    return FilterValueKind::Integer;
  case RbValueKind::Name:
    return FilterValueKind::Name;
  default:
    return FilterValueKind::None;
  }
}

namespace {

using Op = SelectionFilter::Op;
using Node = SelectionFilter::Node;

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool sameText(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    const char x = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 32) : *a;
    if (x != *b) {
      return false;
    }
  }
  return *a == *b;
}

std::optional<Op> parseOp(std::string_view text) {
  static const struct {
    const char* text;
    Op op;
  } kOps[] = {{"*", Op::Any},        {"=", Op::Equal},        {"!=", Op::NotEqual},
              {"/=", Op::NotEqual},  {"<>", Op::NotEqual},    {"<", Op::Less},
              {"<=", Op::LessEqual}, {">", Op::Greater},      {">=", Op::GreaterEqual},
              {"&", Op::BitAnd},     {"&=", Op::BitMaskEqual}};
  for (const auto& entry : kOps) {
    if (text == entry.text) {
      return entry.op;
    }
  }
  return std::nullopt;
}

// Names of table entries, types and applications are matched without regard to case.
bool namesTableEntry(int code) {
  return code == 0 || code == 2 || code == 3 || code == 6 || code == 7 || code == 8 || code == 1001;
}

bool nearlyEqual(double a, double b) {
  return std::fabs(a - b) <= 1e-10 * std::fmax(1.0, std::fmax(std::fabs(a), std::fabs(b)));
}

bool compareReal(Op op, double entity, double wanted) {
  switch (op) {
  case Op::Any:
    return true;
  case Op::Equal:
    return nearlyEqual(entity, wanted);
  case Op::NotEqual:
    return !nearlyEqual(entity, wanted);
  case Op::Less:
    return entity < wanted && !nearlyEqual(entity, wanted);
  case Op::LessEqual:
    return entity <= wanted || nearlyEqual(entity, wanted);
  case Op::Greater:
    return entity > wanted && !nearlyEqual(entity, wanted);
  case Op::GreaterEqual:
    return entity >= wanted || nearlyEqual(entity, wanted);
  default:
    return false;
  }
}

bool compareInteger(Op op, int64_t entity, int64_t wanted) {
  switch (op) {
  case Op::Any:
    return true;
  case Op::Equal:
    return entity == wanted;
  case Op::NotEqual:
    return entity != wanted;
  case Op::Less:
    return entity < wanted;
  case Op::LessEqual:
    return entity <= wanted;
  case Op::Greater:
    return entity > wanted;
  case Op::GreaterEqual:
    return entity >= wanted;
  case Op::BitAnd:
    return (entity & wanted) != 0;
  case Op::BitMaskEqual:
    return (entity & wanted) == wanted;
  }
  return false;
}

int64_t integerOf(int code, const ads_u_val& value) {
  return rbValueKind(code) == RbValueKind::Long ? value.rlong : value.rint;
}

bool testValue(const Node& node, const ads_u_val& value) {
  switch (node.valueKind) {
  case FilterValueKind::String: {
    const bool match = node.pattern->matches(value.rstring ? value.rstring : "");
    return node.ops[0] == Op::Any || (node.ops[0] == Op::Equal ? match : !match);
  }
  case FilterValueKind::Real:
    return compareReal(node.ops[0], value.rreal, node.value[0]);
  case FilterValueKind::Integer:
    return compareInteger(node.ops[0], integerOf(node.code, value), node.integer);
  case FilterValueKind::Point:
    for (int i = 0; i < 3; ++i) {
      if (!compareReal(node.ops[i], value.rpoint[i], node.value[i])) {
        return false;
      }
    }
    return true;
  case FilterValueKind::Vector: {
    bool equal = true;
    for (int i = 0; i < 3; ++i) {
      equal = equal && nearlyEqual(value.rpoint[i], node.value[i]);
    }
    return node.ops[0] == Op::Any || (node.ops[0] == Op::Equal ? equal : !equal);
  }
  case FilterValueKind::Name: {
    const bool equal = value.rlname[0] == node.name[0] && value.rlname[1] == node.name[1];
    return node.ops[0] == Op::Any || (node.ops[0] == Op::Equal ? equal : !equal);
  }
  case FilterValueKind::None:
    break;
  }
  return false;
}

// The value the drawing gives a group that an entity's list leaves out.
bool defaultValue(int code, ads_u_val& value) {
  static char byLayer[] = "BYLAYER";
  switch (code) {
  case 62:
    value.rint = 256;
    return true;
  case 6:
    value.rstring = byLayer;
    return true;
  case 39:
    value.rreal = 0.0;
    return true;
  case 48:
    value.rreal = 1.0;
    return true;
  case 60:
  case 67:
    value.rint = 0;
    return true;
  case 210:
    value.rpoint[0] = value.rpoint[1] = 0.0;
    value.rpoint[2] = 1.0;
    return true;
  default:
    return false;
  }
}

} // namespace

class FilterReader {
public:
  FilterReader(SelectionFilter& filter, const resbuf* at) : filter_(filter), at_(at) {}

  // Reads conditions into parent until the closer (null: the end of the list).
  int readOperands(size_t parent, const char* closer, int depth) {
    while (at_ != nullptr) {
      if (at_->restype == -4) {
        const char* text = at_->resval.rstring;
        if (text == nullptr) {
          return kFilterBadOperator;
        }
        if (text[0] == '<' && isLetter(text[1])) {
          if (const int error = readGroup(parent, text, depth)) {
            return error;
          }
          continue;
        }
        const size_t length = std::strlen(text);
        if (length > 1 && text[length - 1] == '>' && isLetter(text[length - 2])) {
          if (closer == nullptr || !sameText(text, closer)) {
            return kFilterClauseMismatch;
          }
          at_ = at_->rbnext;
          return 0;
        }
        at_ = at_->rbnext;
        if (at_ == nullptr || at_->restype == -4 || at_->restype == -3) {
          return kFilterMissingOperand;
        }
        if (const int error = readTest(parent, text)) {
          return error;
        }
      } else if (at_->restype == -3) {
        if (const int error = readExtendedData(parent)) {
          return error;
        }
      } else if (const int error = readTest(parent, "=")) {
        return error;
      }
    }
    return closer == nullptr ? 0 : kFilterPrematureEnd;
  }

private:
  size_t addNode(size_t parent, Node::Kind kind) {
    filter_.nodes_.emplace_back();
    filter_.nodes_.back().kind = kind;
    const size_t index = filter_.nodes_.size() - 1;
    filter_.nodes_[parent].children.push_back(index);
    return index;
  }

  int readGroup(size_t parent, const char* opener, int depth) {
    static const struct {
      const char* opener;
      const char* closer;
      Node::Kind kind;
    } kGroups[] = {{"<AND", "AND>", Node::And},
                   {"<OR", "OR>", Node::Or},
                   {"<XOR", "XOR>", Node::Xor},
                   {"<NOT", "NOT>", Node::Not}};
    for (const auto& group : kGroups) {
      if (!sameText(opener, group.opener)) {
        continue;
      }
      if (depth + 1 > kFilterMaxDepth) {
        return kFilterTooDeep;
      }
      at_ = at_->rbnext;
      const size_t node = addNode(parent, group.kind);
      if (const int error = readOperands(node, group.closer, depth + 1)) {
        return error;
      }
      const size_t count = filter_.nodes_[node].children.size();
      if (count == 0) {
        return kFilterVoidClause;
      }
      if ((group.kind == Node::Xor && count != 2) || (group.kind == Node::Not && count != 1)) {
        return kFilterOperandCount;
      }
      return 0;
    }
    return kFilterBadOperator;
  }

  int readExtendedData(size_t parent) {
    at_ = at_->rbnext;
    const size_t node = addNode(parent, Node::ExtendedData);
    while (at_ != nullptr && at_->restype == 1001) {
      filter_.nodes_[node].applications.emplace_back(at_->resval.rstring ? at_->resval.rstring : "",
                                                     true);
      at_ = at_->rbnext;
    }
    if (filter_.nodes_[node].applications.empty()) {
      return kFilterMissingOperand;
    }
    return 0;
  }

  int readTest(size_t parent, const char* opText) {
    const int code = at_->restype;
    const FilterValueKind kind = filterValueKind(code);
    if (kind == FilterValueKind::None || code < -5 || code > 1071) {
      return kFilterBadGroupCode;
    }
    Node test;
    test.kind = Node::Test;
    test.code = code;
    test.valueKind = kind;
    if (const int error = readOps(test, opText)) {
      return error;
    }
    const ads_u_val& value = at_->resval;
    switch (kind) {
    case FilterValueKind::String:
      test.pattern.emplace(value.rstring ? value.rstring : "", namesTableEntry(code));
      break;
    case FilterValueKind::Real:
      test.value[0] = value.rreal;
      break;
    case FilterValueKind::Point:
    case FilterValueKind::Vector:
      std::memcpy(test.value, value.rpoint, sizeof test.value);
      break;
    case FilterValueKind::Integer:
      test.integer = integerOf(code, value);
      break;
    case FilterValueKind::Name:
      test.name[0] = value.rlname[0];
      test.name[1] = value.rlname[1];
      break;
    case FilterValueKind::None:
      break;
    }
    at_ = at_->rbnext;
    const size_t node = addNode(parent, Node::Test);
    filter_.nodes_[node] = std::move(test);
    return 0;
  }

  static int readOps(Node& test, std::string_view text) {
    const bool listed = text.find(',') != std::string_view::npos;
    if (test.valueKind == FilterValueKind::Point) {
      int count = 0;
      while (true) {
        const size_t comma = text.find(',');
        const std::string_view piece = text.substr(0, comma);
        const std::optional<Op> op = piece.empty() && listed ? Op::Any : parseOp(piece);
        if (!op) {
          return listed ? kFilterBadVectorTest : kFilterBadOperator;
        }
        if (*op == Op::BitAnd || *op == Op::BitMaskEqual || count == 3) {
          return kFilterBadVectorTest;
        }
        test.ops[count++] = *op;
        if (comma == std::string_view::npos) {
          break;
        }
        text.remove_prefix(comma + 1);
      }
      for (int i = count; i < 3; ++i) {
        test.ops[i] = listed ? Op::Any : test.ops[0]; // one operator serves every coordinate
      }
      return 0;
    }
    const std::optional<Op> op = parseOp(text);
    const int wrongTest = test.valueKind == FilterValueKind::String    ? kFilterBadStringTest
                          : test.valueKind == FilterValueKind::Real    ? kFilterBadRealTest
                          : test.valueKind == FilterValueKind::Integer ? kFilterBadIntegerTest
                          : test.valueKind == FilterValueKind::Vector  ? kFilterBadVectorTest
                                                                       : kFilterBadGroupCode;
    if (!op) {
      return listed ? wrongTest : kFilterBadOperator;
    }
    const bool equalityOnly =
        test.valueKind != FilterValueKind::Real && test.valueKind != FilterValueKind::Integer;
    if ((equalityOnly && *op != Op::Any && *op != Op::Equal && *op != Op::NotEqual) ||
        (test.valueKind == FilterValueKind::Real &&
         (*op == Op::BitAnd || *op == Op::BitMaskEqual))) {
      return wrongTest;
    }
    test.ops[0] = *op;
    return 0;
  }

  SelectionFilter& filter_;
  const resbuf* at_;
};

SelectionFilter::SelectionFilter() {
  nodes_.emplace_back();
}
SelectionFilter::~SelectionFilter() = default;
SelectionFilter::SelectionFilter(SelectionFilter&&) noexcept = default;
SelectionFilter& SelectionFilter::operator=(SelectionFilter&&) noexcept = default;

bool SelectionFilter::read(const resbuf* filter, int* error) {
  nodes_.clear();
  nodes_.emplace_back();
  FilterReader reader(*this, filter);
  const int code = reader.readOperands(0, nullptr, 0);
  if (code != 0) {
    nodes_.clear();
    nodes_.emplace_back();
    if (error) {
      *error = code;
    }
    return false;
  }
  return true;
}

namespace {

// The entity a filter is asked about.
struct Candidate {
  const EntityGroups& groups;
  const EntityGroups* extendedData;
};

bool passesNode(const std::vector<Node>& nodes, size_t index, const Candidate& entity) {
  const Node& node = nodes[index];
  switch (node.kind) {
  case Node::And:
    for (const size_t child : node.children) {
      if (!passesNode(nodes, child, entity)) {
        return false;
      }
    }
    return true;
  case Node::Or:
    for (const size_t child : node.children) {
      if (passesNode(nodes, child, entity)) {
        return true;
      }
    }
    return false;
  case Node::Xor:
    return passesNode(nodes, node.children[0], entity) !=
           passesNode(nodes, node.children[1], entity);
  case Node::Not:
    return !passesNode(nodes, node.children[0], entity);
  case Node::Test: {
    bool found = false;
    for (const EntityGroup& group : entity.groups) {
      if (group.code == node.code) {
        found = true;
        if (testValue(node, groupValue(group))) {
          return true;
        }
      }
    }
    ads_u_val fallback{};
    return !found && defaultValue(node.code, fallback) && testValue(node, fallback);
  }
  case Node::ExtendedData:
    for (const WildcardPattern& application : node.applications) {
      bool present = false;
      if (entity.extendedData != nullptr) {
        for (const EntityGroup& group : *entity.extendedData) {
          if (group.code == 1001 && application.matches(group.text)) {
            present = true;
            break;
          }
        }
      }
      if (!present) {
        return false;
      }
    }
    return true;
  }
  return false;
}

} // namespace

bool SelectionFilter::passes(const EntityGroups& groups, const EntityGroups* extendedData) const {
  return passesNode(nodes_, 0, Candidate{groups, extendedData});
}

} // namespace sim::detail
