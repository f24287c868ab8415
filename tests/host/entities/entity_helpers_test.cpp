// The command and entity helpers: picking by type, set copies, erasing, handles, the
// regeneration retry, application names and the family's extended data, with failure sweeps.
#include <string>
#include <tuple>
#include <vector>

#include "host/entities/entity_helpers.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

struct Name {
  ads_name value = {0, 0};
};

const ads_point kOrigin = {0, 0, 0}, kCorner = {1, 1, 0};

class EntityHelpersTest : public qvtest::HostTest {
protected:
  Name make(resbuf* list) {
    Name made;
    EXPECT_EQ(acdbEntMakeX(list, made.value), RTNORM);
    acutRelRb(list);
    return made;
  }
  Name line(const char* layer = "0") {
    return make(acutBuildList(RTDXF0, "LINE", 8, layer, 10, kOrigin, 11, kCorner, 0));
  }
  Name arc() {
    return make(acutBuildList(RTDXF0, "ARC", 10, kOrigin, 40, 1.0, 50, 0.0, 51, 1.0, 0));
  }
  static bool alive(const Name& entity) {
    resbuf* list = acdbEntGet(entity.value);
    acutRelRb(list);
    return list != nullptr;
  }
  // The texts and integers of the entity's extended data of application.
  static std::vector<std::string> extendedData(const Name& entity, const char* application) {
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
  static std::string handleOf(const Name& entity) {
    return qvtest::findGroup(qvtest::groupsOf(entity.value), 5)->text;
  }
  static int length(const ads_name set) {
    int32_t count = -1;
    acedSSLength(set, &count);
    return count;
  }
};

TEST_F(EntityHelpersTest, PicksUntilAnEntityOfAListedType) {
  const Name l = line(), a = arc();
  const Name circle = make(acutBuildList(RTDXF0, "CIRCLE", 10, kOrigin, 40, 1.0, 0));
  const int64_t nothing[2] = {0, 0};
  const struct {
    const char* types;
    std::vector<sim::Answer> answers;
    int status;
    int messages; // of "Selection is not one of '<types>'."
    const Name* picked;
    double y;
  } cases[] = {
      // A miss is asked again without a word.
      {"LINE ARC",
       {sim::Answer::pick(circle.value, 1, 0), sim::Answer::pick(nothing, 5, 5),
        sim::Answer::pick(a.value, 0.5, 0.8)},
       RTNORM,
       1,
       &a,
       0.8},
      {"LINE", {sim::Answer::cancel()}, RTCAN, 0, nullptr, 0},
      {"LINE", {sim::Answer::text("")}, RTNONE, 0, nullptr, 0},
      {"line arc", {sim::Answer::pick(l.value, 0, 0), sim::Answer::cancel()}, RTCAN, 1, nullptr, 0},
      {" LINE  ", {sim::Answer::pick(l.value, 0, 0.25)}, RTNORM, 0, &l, 0.25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.types);
    sim::takeCommandLine();
    for (const sim::Answer& answer : c.answers) {
      sim::answer(answer);
    }
    ads_name picked;
    ads_point point;
    EXPECT_EQ(
        qv::selectEntityOfTypes(c.types, c.picked == &a ? "\nPick: " : nullptr, picked, point),
        c.status);
    EXPECT_EQ(sim::pendingAnswers(), 0u);
    const std::string said = sim::commandLine();
    const std::string message = "\nSelection is not one of '" + std::string(c.types) + "'.";
    int messages = 0;
    for (size_t at = said.find(message); at != std::string::npos; at = said.find(message, at + 1)) {
      ++messages;
    }
    EXPECT_EQ(messages, c.messages) << said;
    if (c.picked != nullptr) {
      EXPECT_TRUE(acdbNameEqual(picked, c.picked->value));
      EXPECT_EQ(point[1], c.y);
    }
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
  EXPECT_FALSE(alive(c));
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
  EXPECT_TRUE(alive(a)); // a live entity stays live
  ASSERT_EQ(acdbEntDel(a.value), RTNORM);
  ASSERT_EQ(qv::entityFromHandle(handle.c_str(), found), RTNORM);
  EXPECT_TRUE(alive(a)); // brought back
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
  EXPECT_EQ(qvtest::findGroup(qvtest::groupsOf(a.value), 8)->text, "Second");
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
  const std::tuple<const char*, const char*, int> cases[] = {
      {"A#1", "A#1", RTNORM}, {"A11", "A#1", RTNORM}, {"AB", "A#", RTERROR},
      {"a.b", "a.b", RTNORM}, {nullptr, "*", RTNONE}, {"x", nullptr, RTNONE},
  };
  for (const auto& [text, pattern, status] : cases) {
    EXPECT_EQ(qv::wildcardMatch(text, pattern), status);
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
      acedEntSel(nullptr, found, point);
    }
  };
  for (const char* call :
       {"acedSSAdd", "acedSSLength", "acedSSName", "acedSSGet", "acedEntSel", "acdbEntGet",
        "acdbEntMod", "acdbHandEnt", "acdbEntLast", "acdbGetObjectId", "acdbOpenAcDbEntity",
        "AcDbObject::setXData", "AcDbDatabase::getSymbolTable", "acutBuildList", "acedCommand"}) {
    EXPECT_GT(qvtest::forEachFailure(call, everything), 0) << call;
  }
  EXPECT_TRUE(alive(a) && alive(b)); // both live and undamaged at the end
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
      EXPECT_EQ(erased, !alive(a) + !alive(b)) << call << " " << nth;
      acedSSFree(set);
    });
  }
}

} // namespace
