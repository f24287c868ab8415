// Colours and layers set with their rules and messages.
#include <tuple>

#include "drawing/entity_appearance.h"
#include "drawing_fixture.h"
#include "platform/acad/acdbads.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"

namespace {

using EntityAppearanceTest = qvtest::DrawingTest;

// The colour group and the code of the group before it ("-" when the entity has none).
std::string colourOf(const ads_name entity) {
  const qvtest::Groups groups = qvtest::groupsOf(entity);
  for (size_t i = 1; i < groups.size(); ++i) {
    if (groups[i].code == 62) {
      return std::to_string(groups[i].integer) + " after " + std::to_string(groups[i - 1].code);
    }
  }
  return "-";
}

TEST_F(EntityAppearanceTest, ColoursFollowTheRules) {
  // The colour set, the entity's colour before (256: by layer), its colour group after.
  const std::tuple<int, int, const char*> cases[] = {
      {7, 256, "7 after 8"}, {0, 256, "-"},           {300, 3, "-"},
      {-1, 3, "-"},          {255, 3, "255 after 8"}, {1, 200, "1 after 8"}};
  const ads_point a = {0, 0, 0}, b = {1, 1, 0};
  for (const auto& [colour, before, after] : cases) {
    ads_name line;
    ASSERT_TRUE(qvtest::makeEntity(
        acutBuildList(RTDXF0, "LINE", 8, "walls", 62, before, 10, a, 11, b, RTNONE), line));
    qv::setEntityColor(colour, line);
    EXPECT_EQ(colourOf(line), after) << colour;
  }
  ads_name line;
  ASSERT_TRUE(qvtest::makeLine(0, 0, 1, 1, line));
  for (const char* call : {"acdbEntGet", "acdbEntMod"}) {
    int colour = 1;
    qvtest::forEachFailure(call, [&](int nth) { qv::setEntityColor(colour = nth + 1, line); });
    EXPECT_EQ(colourOf(line), std::to_string(colour) + " after 8") << call;
  }
}

TEST_F(EntityAppearanceTest, LayersFollowTheRulesAndMessages) {
  ads_name line, other;
  ASSERT_TRUE(qvtest::makeLine(0, 0, 1, 1, line));
  const ads_point a = {0, 0, 0};
  ASSERT_TRUE(qvtest::makeEntity(acutBuildList(RTDXF0, "POINT", 8, "Walls", 10, a, 0), other));
  // The layer's name given, what is printed, the line's layer afterwards.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"  Walls ", "", "Walls"},
      {"A*B", "\nError: invalid layer A*B", "Walls"},
      {"   ", "\nError: invalid layer ", "Walls"},
      {"no such layer", "", "Walls"}, // the host refuses a layer the drawing lacks
      {"0", "", "0"}};
  for (const auto& [given, printed, layer] : cases) {
    sim::takeCommandLine();
    std::string name = given;
    qv::setEntityLayer(name.data(), line);
    EXPECT_EQ(sim::takeCommandLine(), printed) << given;
    EXPECT_EQ(qvtest::findGroup(qvtest::groupsOf(line), 8)->text, layer) << given;
  }
  for (const char* call : {"acdbGetObjectId", "acdbOpenAcDbEntity", "AcDbEntity::setLayer"}) {
    qvtest::forEachFailure(call, [&](int) {
      char name[] = "Walls";
      qv::setEntityLayer(name, line);
    });
  }
  EXPECT_EQ(qvtest::findGroup(qvtest::groupsOf(line), 8)->text, "Walls");
}

} // namespace
