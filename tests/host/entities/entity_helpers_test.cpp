// The command and entity helpers: picking by type, set copies, erasing, handles, the
// regeneration retry, application names and the family's extended data, with failure sweeps.
#include <string>
#include <vector>

#include "host/entities/entity_helpers.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

struct Name {
  ads_name value = {0, 0};
};

class EntityHelpersTest : public qvtest::HostTest {
protected:
  Name make(resbuf* list) {
    Name made;
    EXPECT_EQ(acdbEntMakeX(list, made.value), RTNORM);
    acutRelRb(list);
    return made;
  }
  Name line(const char* layer = "0") {
    const ads_point a = {0, 0, 0}, b = {1, 1, 0};
    return make(acutBuildList(RTDXF0, "LINE", 8, layer, 10, a, 11, b, 0));
  }
  Name arc() {
    const ads_point c = {0, 0, 0};
    return make(acutBuildList(RTDXF0, "ARC", 10, c, 40, 1.0, 50, 0.0, 51, 1.0, 0));
  }
  Name circle() {
    const ads_point c = {0, 0, 0};
    return make(acutBuildList(RTDXF0, "CIRCLE", 10, c, 40, 1.0, 0));
  }
  // The text of group code in the entity's extended data of application.
  std::vector<std::string> extendedData(const Name& entity, const char* application) {
    resbuf* apps = acutBuildList(RTSTR, application, 0);
    resbuf* list = acdbEntGetX(entity.value, apps);
    std::vector<std::string> found;
    bool inside = false;
    for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
      inside = inside || item->restype == -3;
      if (inside && (item->restype == 1000 || item->restype == 1001)) {
        found.emplace_back(item->resval.rstring);
      } else if (inside && item->restype == 1070) {
        found.push_back(std::to_string(item->resval.rint));
      }
    }
    acutRelRb(list);
    acutRelRb(apps);
    return found;
  }
  std::string handleOf(const Name& entity) {
    resbuf* list = acdbEntGet(entity.value);
    std::string handle;
    for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
      if (item->restype == 5) {
        handle = item->resval.rstring;
      }
    }
    acutRelRb(list);
    return handle;
  }
  int length(const ads_name set) {
    int32_t count = -1;
    acedSSLength(set, &count);
    return count;
  }
  const int64_t nothing_[2] = {0, 0};
};

TEST_F(EntityHelpersTest, PicksUntilAnEntityOfAListedType) {
  const Name a = arc(), c = circle();
  sim::answer(sim::Answer::pick(c.value, 1, 0));
  sim::answer(sim::Answer::pick(nothing_, 5, 5)); // a miss: asked again without a word
  sim::answer(sim::Answer::pick(a.value, 0.5, 0.8));
  ads_name picked;
  ads_point point;
  ASSERT_EQ(qv::selectEntityOfTypes("LINE ARC", "\nPick: ", picked, point), RTNORM);
  EXPECT_TRUE(acdbNameEqual(picked, a.value));
  EXPECT_EQ(point[1], 0.8);
  EXPECT_EQ(sim::asked().size(), 3u);
  const std::string said = sim::commandLine();
  const std::string message = "\nSelection is not one of 'LINE ARC'.";
  ASSERT_NE(said.find(message), std::string::npos);
  EXPECT_EQ(said.find(message, said.find(message) + 1), std::string::npos) << said;
}

TEST_F(EntityHelpersTest, ReturnsACancelEnterAndLowerCaseListsMatchNothing) {
  const Name l = line();
  const struct {
    const char* types;
    std::vector<sim::Answer> answers;
    int status;
    size_t messages;
  } cases[] = {
      {"LINE", {sim::Answer::cancel()}, RTCAN, 0},
      {"LINE", {sim::Answer::text("")}, RTNONE, 0},
      {"line arc", {sim::Answer::pick(l.value, 0, 0), sim::Answer::cancel()}, RTCAN, 1},
      {" LINE  ", {sim::Answer::pick(l.value, 0, 0)}, RTNORM, 0},
  };
  for (const auto& c : cases) {
    sim::takeCommandLine();
    for (const sim::Answer& answer : c.answers) {
      sim::answer(answer);
    }
    ads_name picked;
    ads_point point;
    EXPECT_EQ(qv::selectEntityOfTypes(c.types, nullptr, picked, point), c.status) << c.types;
    EXPECT_EQ(sim::commandLine().find("Selection is not one of '" + std::string(c.types) + "'.") !=
                  std::string::npos,
              c.messages == 1)
        << c.types;
  }
}

TEST_F(EntityHelpersTest, CopiesAppendsFiltersAndErasesSets) {
  const Name a = line("Walls"), b = line("Doors"), c = line("Walls2");
  ads_name source, copy;
  ASSERT_EQ(acedSSAdd(a.value, nullptr, source), RTNORM);
  acedSSAdd(b.value, source, source);
  ASSERT_EQ(qv::newSetFromSet(source, copy), RTNORM);
  EXPECT_EQ(length(copy), 2);
  qv::appendSetToSet(source, copy); // members already
  EXPECT_EQ(length(copy), 2);
  qv::addEntitiesOnLayer(copy, "WALLS*");
  EXPECT_EQ(length(copy), 3);
  qv::addEntitiesOnLayer(copy, "NONE");
  EXPECT_EQ(length(copy), 3);
  EXPECT_EQ(qv::eraseSetEntities(copy), 3);
  EXPECT_EQ(qv::eraseSetEntities(copy), 0); // erased entities cannot be opened
  EXPECT_EQ(acdbEntGet(c.value), nullptr);
  acedSSFree(copy);
  const ads_name unknown = {0, 0};
  EXPECT_EQ(qv::newSetFromSet(unknown, copy), RTERROR);
  acedSSFree(source);
}

TEST_F(EntityHelpersTest, FindsByHandleAndBringsBackOnlyAnErasedEntity) {
  const Name a = line();
  const std::string handle = handleOf(a);
  ads_name found;
  ASSERT_EQ(qv::entityFromHandle(handle.c_str(), found), RTNORM);
  EXPECT_TRUE(acdbNameEqual(found, a.value));
  resbuf* list = acdbEntGet(a.value);
  EXPECT_NE(list, nullptr); // a live entity stays live
  acutRelRb(list);
  ASSERT_EQ(acdbEntDel(a.value), RTNORM);
  ASSERT_EQ(qv::entityFromHandle(handle.c_str(), found), RTNORM);
  list = acdbEntGet(a.value);
  EXPECT_NE(list, nullptr); // brought back
  acutRelRb(list);
  EXPECT_EQ(qv::entityFromHandle("ZZ", found), RTERROR);
}

TEST_F(EntityHelpersTest, ModifiesOnceMoreAfterARegeneration) {
  const Name a = line();
  for (const bool refusing : {false, true}) {
    sim::refuseEntModUntilRegen(refusing);
    const int before = sim::callCount("acdbEntMod"), regens = sim::regenCount();
    resbuf* change = acutBuildList(-1, a.value, 8, refusing ? "Second" : "First", 0);
    EXPECT_EQ(qv::modifyEntity(change), RTNORM);
    acutRelRb(change);
    EXPECT_EQ(sim::callCount("acdbEntMod") - before, refusing ? 2 : 1);
    EXPECT_EQ(sim::regenCount() - regens, refusing ? 1 : 0);
  }
  resbuf* list = acdbEntGet(a.value);
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == 8) {
      EXPECT_STREQ(item->resval.rstring, "Second");
    }
  }
  acutRelRb(list);
}

TEST_F(EntityHelpersTest, RegistersOnceAndTagsAndLinksWithExtendedData) {
  const int before = sim::callCount("AcDbSymbolTable::add");
  EXPECT_EQ(qv::registerApplication("ctrlabel"), 1);
  EXPECT_EQ(qv::registerApplication("CTRLABEL"), 1);
  EXPECT_EQ(sim::callCount("AcDbSymbolTable::add") - before, 1);
  const Name label = line(), first = line(), second = arc();
  qv::linkLabelToEntities(label.value, first.value, second.value, nullptr);
  EXPECT_EQ(extendedData(label, "CTRLABEL"),
            (std::vector<std::string>{"CTRLABEL", handleOf(first), handleOf(second), "0"}));
  qv::linkLabelToEntities(first.value, nullptr, nullptr, nullptr); // no second: nothing
  EXPECT_TRUE(extendedData(first, "CTRLABEL").empty());
  qv::tagLastEntity();
  EXPECT_EQ(extendedData(second, "SPT"), (std::vector<std::string>{"SPT", "1"}));
}

TEST_F(EntityHelpersTest, MatchesNamesThatHoldWildcardCharacters) {
  const struct {
    const char* text;
    const char* pattern;
    int status;
  } cases[] = {
      {"A#1", "A#1", RTNORM}, {"A11", "A#1", RTNORM}, {"AB", "A#", RTERROR},
      {"a.b", "a.b", RTNORM}, {nullptr, "*", RTNONE}, {"x", nullptr, RTNONE},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qv::wildcardMatch(c.text, c.pattern), c.status);
  }
  EXPECT_EQ(acutWcMatch("A#1", "A#1"), RTERROR); // the host's own test fails for it
}

TEST_F(EntityHelpersTest, ReportsATableThatCannotBeOpenedAndKeepsNoRecordThatWasNotAdded) {
  sim::failCall("AcDbDatabase::getSymbolTable");
  EXPECT_EQ(qv::registerApplication("QVAPP"), 0);
  ASSERT_EQ(sim::alerts().size(), 1u);
  EXPECT_EQ(sim::alerts()[0], "register_app() failed");
  sim::failCall("AcDbSymbolTable::add");
  EXPECT_EQ(qv::registerApplication("QVAPP"), 0);
  EXPECT_EQ(sim::alerts().size(), 1u);
  EXPECT_EQ(qv::registerApplication("QVAPP"), 1);
}

// Every failure of a host call on the way leaves nothing open, live or leaked.
TEST_F(EntityHelpersTest, FailuresOnTheWayLeaveNothingBehind) {
  const Name a = line("Walls"), b = arc();
  const std::string handle = handleOf(a);
  const auto everything = [&](int) {
    ads_name set, copy;
    if (acedSSAdd(a.value, nullptr, set) == RTNORM) {
      acedSSAdd(b.value, set, set);
      if (qv::newSetFromSet(set, copy) == RTNORM) {
        qv::addEntitiesOnLayer(copy, "Walls");
        acedSSFree(copy);
      }
      acedSSFree(set);
    }
    sim::answer(sim::Answer::pick(b.value, 0, 0));
    ads_name picked;
    ads_point point;
    qv::selectEntityOfTypes("ARC", nullptr, picked, point);
    sim::refuseEntModUntilRegen(true);
    resbuf* change = acutBuildList(-1, a.value, 62, 1, 0);
    qv::modifyEntity(change);
    acutRelRb(change);
    qv::registerApplication("CTRLABEL");
    qv::linkLabelToEntities(a.value, nullptr, b.value, nullptr);
    qv::tagLastEntity();
    ads_name found;
    qv::entityFromHandle(handle.c_str(), found);
    while (sim::pendingAnswers() > 0) { // a pick left over when the question failed
      ads_point p;
      acedEntSel(nullptr, found, p);
    }
  };
  for (const char* call :
       {"acedSSAdd", "acedSSLength", "acedSSName", "acedSSGet", "acedEntSel", "acdbEntGet",
        "acdbEntMod", "acdbHandEnt", "acdbEntLast", "acdbGetObjectId", "acdbOpenAcDbEntity",
        "AcDbObject::setXData", "AcDbDatabase::getSymbolTable", "acutBuildList", "acedCommand"}) {
    EXPECT_GT(qvtest::forEachFailure(call, everything), 0) << call;
  }
  for (const Name& entity : {a, b}) { // both live and undamaged at the end
    resbuf* list = acdbEntGet(entity.value);
    EXPECT_NE(list, nullptr);
    acutRelRb(list);
  }
}

// Erasing closes every entity it opened, counts only those erased and skips the rest.
TEST_F(EntityHelpersTest, ErasingSweptOverOpeningsAndErasures) {
  for (const char* call : {"acdbOpenAcDbEntity", "AcDbObject::erase", "acedSSName"}) {
    qvtest::forEachFailure(call, [&](int nth) {
      const Name a = line(), b = line();
      ads_name set;
      ASSERT_EQ(acedSSAdd(a.value, nullptr, set), RTNORM);
      acedSSAdd(b.value, set, set);
      const int erased = qv::eraseSetEntities(set);
      int gone = 0;
      for (const Name& entity : {a, b}) {
        resbuf* list = acdbEntGet(entity.value);
        gone += list == nullptr ? 1 : 0;
        acutRelRb(list);
      }
      EXPECT_EQ(erased, gone) << call << " " << nth;
      acedSSFree(set);
    });
  }
}

} // namespace
