// Filter lists of acedSSGet: which group lists pass, and the host's refusals of bad filters.
#include <functional>
#include <string>
#include <vector>

#include "platform/acad/group_lists.h"
#include "platform/acad/internal/selection_filter.h"
#include "testing/host_test.h"

namespace {

using qvtest::GroupList;
using sim::detail::SelectionFilter;

class SelectionFilterTest : public qvtest::HostTest {
protected:
  SelectionFilterTest() {
    line.text(0, "LINE").text(8, "Walls").integer(62, 1).point(10, 0, 0).point(11, 10, 0);
    circle.text(0, "CIRCLE").text(8, "0").point(10, 5, 5).real(40, 2.5);
    text.text(0, "TEXT").text(8, "Notes").point(10, 1, 1).real(40, 0.25).text(1, "Room 101");
    text.marker(-3).text(1001, "QVAPP").text(1000, "x");
  }
  GroupList line, circle, text;
};

using Build = std::function<void(GroupList&)>;

bool passes(const SelectionFilter& filter, const GroupList& entity) {
  const sim::detail::EntityGroups extendedData = entity.extendedData();
  return filter.passes(entity.entityGroups(), &extendedData);
}

TEST_F(SelectionFilterTest, PassesTheEntitiesThatMeetEveryCondition) {
  const struct {
    const char* what;
    Build filter;
    bool line, circle, text;
  } cases[] = {
      {"type", [](GroupList& f) { f.text(0, "LINE"); }, true, false, false},
      {"type without case", [](GroupList& f) { f.text(0, "line"); }, true, false, false},
      {"type list", [](GroupList& f) { f.text(0, "LINE,TEXT"); }, true, false, true},
      {"layer wildcard", [](GroupList& f) { f.text(8, "w*"); }, true, false, false},
      {"text with case", [](GroupList& f) { f.text(1, "room*"); }, false, false, false},
      {"text pattern", [](GroupList& f) { f.text(1, "Room ###"); }, false, false, true},
      {"colour by layer", [](GroupList& f) { f.integer(62, 256); }, false, true, true},
      {"two conditions", [](GroupList& f) { f.text(0, "CIRCLE").text(8, "0"); }, false, true,
       false},
      {"or",
       [](GroupList& f) { f.text(-4, "<OR").text(0, "LINE").text(0, "TEXT").text(-4, "OR>"); },
       true, false, true},
      {"or in lower case", [](GroupList& f) { f.text(-4, "<or").text(0, "LINE").text(-4, "or>"); },
       true, false, false},
      {"not", [](GroupList& f) { f.text(-4, "<NOT").text(0, "LINE").text(-4, "NOT>"); }, false,
       true, true},
      {"xor",
       [](GroupList& f) { f.text(-4, "<XOR").text(8, "0").text(0, "LINE").text(-4, "XOR>"); }, true,
       true, false},
      {"xor of both",
       [](GroupList& f) { f.text(-4, "<XOR").text(8, "0").text(0, "CIRCLE").text(-4, "XOR>"); },
       false, false, false},
      {"nested",
       [](GroupList& f) {
         f.text(-4, "<AND").text(-4, "<OR").text(8, "Walls").text(8, "Notes").text(-4, "OR>");
         f.text(-4, "<NOT").text(0, "TEXT").text(-4, "NOT>").text(-4, "AND>");
       },
       true, false, false},
      {">=", [](GroupList& f) { f.text(-4, ">=").real(40, 2.5); }, false, true, false},
      {">", [](GroupList& f) { f.text(-4, ">").real(40, 2.5); }, false, false, false},
      {"<", [](GroupList& f) { f.text(-4, "<").real(40, 2.5); }, false, false, true},
      {"<>", [](GroupList& f) { f.text(-4, "<>").real(40, 2.5); }, false, false, true},
      {"any value present", [](GroupList& f) { f.text(-4, "*").real(40, 0); }, false, true, true},
      {"bit and", [](GroupList& f) { f.text(-4, "&").integer(62, 3); }, true, false, false},
      {"bit mask equal", [](GroupList& f) { f.text(-4, "&=").integer(62, 3); }, false, false,
       false},
      {"!= layer", [](GroupList& f) { f.text(-4, "!=").text(8, "0"); }, true, false, true},
      {"/= colour", [](GroupList& f) { f.text(-4, "/=").integer(62, 256); }, true, false, false},
      {"point by coordinate", [](GroupList& f) { f.text(-4, ">,<,*").point(10, 4, 6, 99); }, false,
       true, false},
      {"point one operator", [](GroupList& f) { f.text(-4, "<=").point(10, 1, 1, 0); }, true, false,
       true},
      {"point missing operators", [](GroupList& f) { f.text(-4, ">").point(10, 4, 4, 1); }, false,
       false, false},
      {"point first only", [](GroupList& f) { f.text(-4, ">,").point(10, 4, 99, 99); }, false, true,
       false},
      {"normal by default", [](GroupList& f) { f.point(210, 0, 0, 1); }, true, true, true},
      {"extended data", [](GroupList& f) { f.marker(-3).text(1001, "qv*"); }, false, false, true},
      {"extended data absent", [](GroupList& f) { f.marker(-3).text(1001, "OTHER"); }, false, false,
       false},
  };
  for (const auto& c : cases) {
    GroupList list;
    c.filter(list);
    SelectionFilter filter;
    int error = 0;
    ASSERT_TRUE(filter.read(list.head(), &error)) << c.what << ": refused with " << error;
    EXPECT_EQ(passes(filter, line), c.line) << c.what << " on the line";
    EXPECT_EQ(passes(filter, circle), c.circle) << c.what << " on the circle";
    EXPECT_EQ(passes(filter, text), c.text) << c.what << " on the text";
  }
  SelectionFilter none;
  int error = 0;
  ASSERT_TRUE(none.read(nullptr, &error));
  EXPECT_TRUE(passes(none, line));
}

TEST_F(SelectionFilterTest, RefusesBadlyFormedFiltersWithTheHostsErrorNumbers) {
  const struct {
    const char* what;
    Build filter;
    int error;
  } cases[] = {
      {"unclosed group", [](GroupList& f) { f.text(-4, "<AND").text(0, "LINE"); }, 56},
      {"operator at the end", [](GroupList& f) { f.text(-4, ">"); }, 57},
      {"operator before a group",
       [](GroupList& f) { f.text(-4, ">").text(-4, "<OR").text(0, "A").text(-4, "OR>"); }, 57},
      {"unknown operator", [](GroupList& f) { f.text(-4, "=>").real(40, 1); }, 58},
      {"unknown group", [](GroupList& f) { f.text(-4, "<FOO").text(0, "A").text(-4, "FOO>"); }, 58},
      {"empty group", [](GroupList& f) { f.text(-4, "<AND").text(-4, "AND>"); }, 59},
      {"wrong closer", [](GroupList& f) { f.text(-4, "<AND").text(0, "A").text(-4, "OR>"); }, 60},
      {"closer alone", [](GroupList& f) { f.text(-4, "OR>"); }, 60},
      {"not of two",
       [](GroupList& f) { f.text(-4, "<NOT").text(0, "A").text(0, "B").text(-4, "NOT>"); }, 61},
      {"xor of one", [](GroupList& f) { f.text(-4, "<XOR").text(0, "A").text(-4, "XOR>"); }, 61},
      {"entity name group", [](GroupList& f) { f.marker(-1); }, 63},
      {"binary group", [](GroupList& f) { f.marker(310); }, 63},
      {"ordering a string", [](GroupList& f) { f.text(-4, "<").text(8, "0"); }, 64},
      {"ordering a normal", [](GroupList& f) { f.text(-4, "<").point(210, 0, 0, 1); }, 65},
      {"bits of a point", [](GroupList& f) { f.text(-4, "&,*,*").point(10, 0, 0); }, 65},
      {"four coordinates", [](GroupList& f) { f.text(-4, "*,*,*,*").point(10, 0, 0); }, 65},
      {"bits of a real", [](GroupList& f) { f.text(-4, "&").real(40, 1); }, 66},
      {"coordinates of an integer", [](GroupList& f) { f.text(-4, "=,=").integer(62, 1); }, 67},
      {"xdata without names", [](GroupList& f) { f.marker(-3); }, 57},
  };
  for (const auto& c : cases) {
    GroupList list;
    c.filter(list);
    SelectionFilter filter;
    int error = 0;
    EXPECT_FALSE(filter.read(list.head(), &error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
}

TEST_F(SelectionFilterTest, RefusesNestingBeyondTheLimit) {
  for (const int depth : {sim::detail::kFilterMaxDepth, sim::detail::kFilterMaxDepth + 1}) {
    GroupList list;
    for (int i = 0; i < depth; ++i) {
      list.text(-4, "<AND");
    }
    list.text(0, "LINE");
    for (int i = 0; i < depth; ++i) {
      list.text(-4, "AND>");
    }
    SelectionFilter filter;
    int error = 0;
    EXPECT_EQ(filter.read(list.head(), &error), depth == sim::detail::kFilterMaxDepth);
    EXPECT_EQ(error, depth == sim::detail::kFilterMaxDepth ? 0 : 62);
    if (error == 0) {
      EXPECT_TRUE(passes(filter, line));
    }
  }
}

} // namespace
