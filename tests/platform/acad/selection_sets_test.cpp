// Selection sets: the set calls, acedSSGet by mode, area and filter, the person's picks
// (acedSSGet without a mode, acedEntSel) and AutoLISP's selection functions.
#include <string>
#include <vector>

#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"

namespace {

using qvtest::errnoValue;

struct Name {
  ads_name value = {0, 0};
};

class SelectionSetsTest : public qvtest::HostTest {
protected:
  // Makes an entity from a list built by the test; its name.
  Name make(resbuf* list) {
    Name made;
    EXPECT_EQ(acdbEntMakeX(list, made.value), RTNORM);
    acutRelRb(list);
    return made;
  }
  Name line(double x1, double y1, double x2, double y2, const char* layer = "0") {
    const ads_point a = {x1, y1, 0}, b = {x2, y2, 0};
    return make(acutBuildList(RTDXF0, "LINE", 8, layer, 10, a, 11, b, 0));
  }
  Name circle(double x, double y, double r) {
    const ads_point c = {x, y, 0};
    return make(acutBuildList(RTDXF0, "CIRCLE", 10, c, 40, r, 0));
  }
  // The names of the set, in order; the set is freed.
  std::vector<int64_t> take(ads_name set) {
    std::vector<int64_t> names;
    int32_t length = 0;
    EXPECT_EQ(acedSSLength(set, &length), RTNORM);
    for (int32_t i = 0; i < length; ++i) {
      ads_name entity;
      EXPECT_EQ(acedSSName(set, i, entity), RTNORM);
      names.push_back(entity[1]);
    }
    EXPECT_EQ(acedSSFree(set), RTNORM);
    return names;
  }
};

TEST_F(SelectionSetsTest, AddsEachEntityOnceInOrderAndFreesEverySet) {
  const Name a = line(0, 0, 1, 1), b = line(2, 2, 3, 3);
  ads_name set;
  ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
  int32_t length = -1;
  EXPECT_EQ(acedSSLength(set, &length), RTNORM);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(acedSSAdd(b.value, set, set), RTNORM);
  EXPECT_EQ(acedSSAdd(a.value, set, set), RTNORM);
  EXPECT_EQ(acedSSAdd(b.value, set, set), RTNORM); // a member already
  EXPECT_EQ(acedSSMemb(a.value, set), RTNORM);
  ads_name entity;
  EXPECT_EQ(acedSSName(set, 2, entity), RTERROR);
  EXPECT_EQ(acedSSName(set, -1, entity), RTERROR);
  ads_name single;
  ASSERT_EQ(acedSSAdd(a.value, nullptr, single), RTNORM);
  EXPECT_EQ(take(single), (std::vector<int64_t>{a.value[1]}));
  EXPECT_EQ(sim::liveSelectionSets(), 1);
  EXPECT_EQ(acedSSDel(b.value, set), RTNORM);
  EXPECT_EQ(acedSSDel(b.value, set), RTERROR);
  EXPECT_EQ(acedSSMemb(b.value, set), RTERROR);
  EXPECT_EQ(take(set), (std::vector<int64_t>{a.value[1]}));
  EXPECT_EQ(acedSSFree(set), RTERROR);
  EXPECT_EQ(errnoValue(), 4);
  EXPECT_EQ(acedSSLength(set, &length), RTERROR);
}

TEST_F(SelectionSetsTest, RefusesWhatIsNoEntityAndTheHundredAndTwentyNinthSet) {
  const Name a = line(0, 0, 1, 1);
  ads_name set;
  const ads_name bogus = {a.value[0], a.value[1] + 1000};
  EXPECT_EQ(acedSSAdd(bogus, nullptr, set), RTERROR);
  EXPECT_EQ(errnoValue(), 2);
  ASSERT_EQ(acdbEntDel(a.value), RTNORM);
  EXPECT_EQ(acedSSAdd(a.value, nullptr, set), RTERROR); // erased
  std::vector<Name> sets(128);
  for (Name& made : sets) {
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, made.value), RTNORM);
  }
  EXPECT_EQ(acedSSAdd(nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(errnoValue(), 3);
  for (Name& made : sets) {
    acedSSFree(made.value);
  }
}

TEST_F(SelectionSetsTest, SelectsByModeAreaAndFilter) {
  const Name wall = line(0, 0, 10, 0, "Walls");
  const Name door = line(4, -1, 4, 1, "Doors");
  const Name ring = circle(5, 5, 2);
  const Name gone = line(20, 20, 21, 21, "Walls");
  ASSERT_EQ(acdbEntDel(gone.value), RTNORM);
  const ads_point paperPoint = {1, 1, 0};
  const Name paper = make(acutBuildList(RTDXF0, "POINT", 67, 1, 10, paperPoint, 0));
  resbuf* walls = acutBuildList(8, "w*", 0);
  const ads_point p1 = {3, -2, 0}, p2 = {6, -2, 0}, p3 = {6, 8, 0}, p4 = {3, 8, 0};
  resbuf* pointList = acutBuildList(RTPOINT, p1, RTPOINT, p2, RTPOINT, p3, RTPOINT, p4, 0);
  const ads_point low = {-1, -2, 0}, high = {11, 1, 0};
  const ads_point cornerA = {3.5, 3.5, 0}, cornerB = {4.5, 6.5, 0}, onDoor = {4, 0.5, 0};
  const struct {
    const char* what;
    const char* mode;
    const void* pt1;
    const void* pt2;
    const resbuf* filter;
    std::vector<int64_t> names;
  } cases[] = {
      {"everything",
       "X",
       nullptr,
       nullptr,
       nullptr,
       {wall.value[1], door.value[1], ring.value[1], paper.value[1]}},
      {"a layer", "X", nullptr, nullptr, walls, {wall.value[1]}},
      {"language-neutral mode", "_x", nullptr, nullptr, walls, {wall.value[1]}},
      {"the last", "L", nullptr, nullptr, nullptr, {paper.value[1]}},
      {"window", "W", low, high, nullptr, {wall.value[1], door.value[1]}},
      {"window with a filter", "W", low, high, walls, {wall.value[1]}},
      {"crossing through the circle", "C", cornerA, cornerB, nullptr, {ring.value[1]}},
      {"window polygon", "WP", pointList, nullptr, nullptr, {door.value[1]}},
      {"crossing polygon",
       "CP",
       pointList,
       nullptr,
       nullptr,
       {wall.value[1], door.value[1], ring.value[1]}},
      {"fence", "F", pointList, nullptr, nullptr, {wall.value[1], ring.value[1]}},
      {"a pick", nullptr, cornerB, nullptr, nullptr, {}},
      {"a pick on the door", nullptr, onDoor, nullptr, nullptr, {door.value[1]}},
  };
  for (const auto& c : cases) {
    ads_name set;
    const int status = acedSSGet(c.mode, c.pt1, c.pt2, c.filter, set);
    ASSERT_EQ(status, c.names.empty() ? RTERROR : RTNORM) << c.what;
    if (status == RTNORM) {
      EXPECT_EQ(take(set), c.names) << c.what;
    }
  }
  EXPECT_EQ(sim::liveSelectionSets(), 0);
  acutRelRb(walls);
  acutRelRb(pointList);
}

TEST_F(SelectionSetsTest, RefusesBadModesFiltersAndMissingPoints) {
  line(0, 0, 1, 1);
  resbuf* unclosed = acutBuildList(-4, "<OR", RTDXF0, "LINE", 0);
  ads_name set;
  EXPECT_EQ(acedSSGet("X", nullptr, nullptr, unclosed, set), RTERROR);
  EXPECT_EQ(errnoValue(), 56);
  acutRelRb(unclosed);
  EXPECT_EQ(acedSSGet("Q", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(errnoValue(), 98);
  EXPECT_EQ(acedSSGet("W", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(acedSSGet("WP", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(acedSSGet("X", nullptr, nullptr, nullptr, nullptr), RTERROR);
  sim::failCall("acedSSGet");
  EXPECT_EQ(acedSSGet("X", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(sim::liveSelectionSets(), 0);
}

TEST_F(SelectionSetsTest, AsksThePersonForPicksAndWindows) {
  const Name a = line(0, 0, 1, 0), b = line(0, 5, 1, 5), c = circle(10, 10, 1);
  const int64_t nothing[2] = {0, 0};
  sim::answer(sim::Answer::pick(b.value, 0.5, 5));
  sim::answer(sim::Answer::pick(b.value, 0.5, 5)); // picked twice, taken once
  sim::answer(sim::Answer::pick(nothing, -1, -1)); // empty space: a window to the right
  sim::answer(sim::Answer::point(2, 1));
  sim::answer(sim::Answer::pick(nothing, 12, 12)); // to the left: a crossing window
  sim::answer(sim::Answer::point(10.5, 10.5));
  sim::answer(sim::Answer::text(""));
  ads_name set;
  ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, set), RTNORM);
  EXPECT_EQ(take(set), (std::vector<int64_t>{b.value[1], a.value[1], c.value[1]}));
  ASSERT_EQ(sim::asked().size(), 7u);
  EXPECT_EQ(sim::asked()[0].prompt, "\nSelect objects: ");
  EXPECT_EQ(sim::asked()[3].kind, sim::Answer::Kind::Point);

  resbuf* circles = acutBuildList(RTDXF0, "CIRCLE", 0);
  sim::answer(sim::Answer::pick(a.value, 0.5, 0)); // filtered out
  sim::answer(sim::Answer::text(""));
  EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, circles, set), RTERROR);
  acutRelRb(circles);
  sim::answer(sim::Answer::pick(a.value, 0.5, 0));
  sim::answer(sim::Answer::cancel());
  EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, set), RTCAN);
  EXPECT_EQ(sim::liveSelectionSets(), 0);
}

TEST_F(SelectionSetsTest, EntSelAnswersAPickAMissEnterAndACancel) {
  const Name a = line(0, 0, 1, 0), gone = line(5, 5, 6, 6);
  ASSERT_EQ(acdbEntDel(gone.value), RTNORM);
  const int64_t nothing[2] = {0, 0};
  const struct {
    sim::Answer answer;
    int status;
    int error;
  } cases[] = {
      {sim::Answer::pick(a.value, 0.5, 0.25), RTNORM, 0},
      {sim::Answer::pick(nothing, 3, 3), RTERROR, 7},
      {sim::Answer::pick(gone.value, 5.5, 5.5), RTERROR, 7},
      {sim::Answer::text(""), RTERROR, 52},
      {sim::Answer::cancel(), RTCAN, 0},
  };
  for (const auto& c : cases) {
    sim::answer(c.answer);
    ads_name entity = {0, 0};
    ads_point point = {0, 0, 0};
    EXPECT_EQ(acedEntSel("\nPick a line: ", entity, point), c.status);
    if (c.status == RTNORM) {
      EXPECT_TRUE(acdbNameEqual(entity, a.value));
      EXPECT_EQ(point[1], 0.25);
    } else if (c.status == RTERROR) {
      EXPECT_EQ(errnoValue(), c.error);
    }
  }
  EXPECT_EQ(sim::asked().back().prompt, "\nPick a line: ");
  EXPECT_NE(sim::commandLine().find("Pick a line: "), std::string::npos);
}

TEST_F(SelectionSetsTest, AutoLispSelectsAndLetsItsSetsGo) {
  line(0, 0, 1, 0, "Walls");
  circle(5, 5, 1);
  const struct {
    const char* code;
    const char* result;
  } cases[] = {
      {"(sslength (ssget \"X\"))", "2"},
      {"(sslength (ssget \"X\" '((0 . \"CIRCLE\"))))", "1"},
      {"(sslength (ssget \"W\" '(-1 -1) '(2 1)))", "1"},
      {"(sslength (ssget \"CP\" '((4 4) (6 4) (6 6)) '((8 . \"0\"))))", "1"},
      {"(sslength (ssget \"X\" '((-4 . \"<OR\") (0 . \"LINE\") (40 . 1.0) (-4 . \"OR>\"))))", "2"},
      {"(ssget \"X\" '((0 . \"ARC\")))", "nil"},
      {"(equal (ssname (ssget \"X\") 1) (ssname (ssget \"C\" '(4 4) '(6 6)) 0))", "T"},
      {"(ssname (ssget \"X\") 2)", "nil"},
      {"(progn (setq e (ssname (ssget \"X\") 0) s (ssadd)) (sslength s))", "0"},
      {"(sslength (ssadd e (ssadd e s)))", "1"},
      {"(eq (ssmemb e s) e)", "T"},
      {"(sslength (ssdel e s))", "0"},
      {"(ssmemb e (ssadd))", "nil"},
      {"(progn (repeat 300 (ssadd)) (sslength (ssadd)))", "0"}, // each set goes with its value
      {"(vl-catch-all-error-message (vl-catch-all-apply 'ssget '(\"X\" ((-4 . \"<OR\")))))",
       "\"bad SSGET list\""},
      {"(vl-catch-all-error-message (vl-catch-all-apply 'sslength '(1)))",
       "\"bad argument type: lselsetp 1\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sim::evalLisp(c.code), c.result) << c.code;
  }
  const int64_t nothing[2] = {0, 0};
  sim::answer(sim::Answer::pick(nothing, 1, 1));
  EXPECT_EQ(sim::evalLisp("(entsel)"), "nil");
  EXPECT_EQ(sim::liveSelectionSets(), 0);
}

} // namespace
