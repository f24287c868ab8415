// The stand-in's entities as DXF group lists: making, reading, the host's refusals, symbol
// tables, names and handles, and the command dispatcher.
#include <cstring>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbents.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"

namespace {

using qvtest::errnoValue;
using qvtest::group;
using qvtest::List;

class EntityCoreTest : public qvtest::HostTest {
protected:
  AcDbDatabase* db() { return acdbHostApplicationServices()->workingDatabase(); }
  // Makes an entity from a list that the test builds; the status.
  int make(resbuf* list) {
    List owned(list);
    return acdbEntMake(owned.head);
  }
};

const ads_point kA = {1, 2, 0};
const ads_point kB = {4, 6, 0};
const ads_point kC = {4, 2, 0};

TEST_F(EntityCoreTest, MakeThenGetGivesEachTypeItsGroupsWithDefaults) {
  struct Case {
    const char* type;
    resbuf* list;
    int code;        // a group to look at
    double expected; // its real, first coordinate or integer
  };
  const Case cases[] = {
      {"POINT", acutBuildList(RTDXF0, "POINT", 10, kA, 0), 10, 1},
      {"LINE", acutBuildList(RTDXF0, "LINE", 10, kA, 11, kB, 0), 11, 4},
      {"CIRCLE", acutBuildList(RTDXF0, "CIRCLE", 10, kA, 40, 2.5, 0), 40, 2.5},
      {"ARC", acutBuildList(RTDXF0, "ARC", 10, kA, 40, 1.0, 50, 0.0, 51, 1.5, 0), 51, 1.5},
      {"TEXT", acutBuildList(RTDXF0, "TEXT", 10, kA, 40, 0.2, 1, "abc", 0), 41, 1},
      {"MTEXT",
       acutBuildList(RTDXF0, "MTEXT", 100, "AcDbEntity", 100, "AcDbMText", 10, kA, 1, "x", 0), 71,
       1},
      {"SOLID", acutBuildList(RTDXF0, "SOLID", 10, kA, 11, kB, 12, kC, 0), 13, 4},
      {"LWPOLYLINE",
       acutBuildList(RTDXF0, "LWPOLYLINE", 100, "AcDbEntity", 100, "AcDbPolyline", 10, kA, 10, kB,
                     42, 0.5, 10, kC, 0),
       90, 3},
      {"WIPEOUT",
       acutBuildList(RTDXF0, "WIPEOUT", 100, "AcDbWipeout", 10, kA, 11, kB, 12, kC, 14, kA, 14, kB,
                     14, kC, 0),
       91, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_EQ(make(c.list), RTNORM);
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    List got(acdbEntGet(last));
    ASSERT_NE(got.head, nullptr);
    EXPECT_EQ(got.head->restype, -1);
    EXPECT_TRUE(acdbNameEqual(got.head->resval.rlname, last));
    EXPECT_STREQ(group(got.head, 0)->resval.rstring, c.type);
    EXPECT_STREQ(group(got.head, 8)->resval.rstring, "0");
    EXPECT_EQ(group(got.head, 62), nullptr);
    ASSERT_NE(group(got.head, 5), nullptr);
    const resbuf* looked = group(got.head, c.code);
    ASSERT_NE(looked, nullptr);
    const double value = c.code == 71 || c.code == 90 || c.code == 91
                             ? (c.code == 71 ? looked->resval.rint : looked->resval.rlong)
                             : looked->resval.rreal;
    EXPECT_EQ(value, c.expected);
  }
}

TEST_F(EntityCoreTest, LwpolylineVerticesKeepTheirBulges) {
  ASSERT_EQ(
      make(acutBuildList(RTDXF0, "LWPOLYLINE", 100, "AcDbPolyline", 10, kA, 42, 0.5, 10, kB, 0)),
      RTNORM);
  ads_name last;
  acdbEntLast(last);
  List got(acdbEntGet(last));
  EXPECT_EQ(group(got.head, 10, 1)->resval.rpoint[X], 4);
  EXPECT_EQ(group(got.head, 42, 0)->resval.rreal, 0.5);
  EXPECT_EQ(group(got.head, 42, 1)->resval.rreal, 0.0);
  EXPECT_EQ(group(got.head, 210)->resval.rpoint[Z], 1.0);
}

TEST_F(EntityCoreTest, MakeRefusesAsTheHostWithItsErrorNumbers) {
  struct Case {
    const char* what;
    resbuf* list;
    int errnoValue;
  };
  const Case cases[] = {
      {"unknown type", acutBuildList(RTDXF0, "NOPE", 10, kA, 0), 36},
      {"viewport", acutBuildList(RTDXF0, "VIEWPORT", 10, kA, 0), 36},
      {"type not first", acutBuildList(10, kA, RTDXF0, "POINT", 0), 36},
      {"line without end", acutBuildList(RTDXF0, "LINE", 10, kA, 0), 47},
      {"polyline without marker", acutBuildList(RTDXF0, "LWPOLYLINE", 10, kA, 10, kB, 0), 47},
      {"colour 300", acutBuildList(RTDXF0, "POINT", 62, 300, 10, kA, 0), 27},
      {"layer A*B", acutBuildList(RTDXF0, "POINT", 8, "A*B", 10, kA, 0), 25},
      {"unregistered app", acutBuildList(RTDXF0, "POINT", 10, kA, -3, 1001, "NOAPP", 1000, "x", 0),
       53},
      {"xdata code", acutBuildList(RTDXF0, "POINT", 10, kA, -3, 1001, "ACAD", 8, "x", 0), 48},
      {"text style", acutBuildList(RTDXF0, "TEXT", 10, kA, 40, 1.0, 1, "t", 7, "Fancy", 0), 28},
      {"missing block", acutBuildList(RTDXF0, "INSERT", 2, "NOBLOCK", 10, kA, 0), 47},
  };
  const ads_point zero = {0, 0, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(make(c.list), RTREJ);
    EXPECT_EQ(errnoValue(), c.errnoValue);
    ads_name last;
    EXPECT_EQ(acdbEntLast(last), RTERROR);
    EXPECT_EQ(errnoValue(), 10);
  }
  EXPECT_EQ(make(acutBuildList(RTDXF0, "CIRCLE", 10, kA, 40, 1.0, 210, zero, 0)), RTREJ);
  EXPECT_EQ(errnoValue(), 42);
}

TEST_F(EntityCoreTest, ALayerIsMadeOnDemandAndSetLayerNeedsAnExistingOne) {
  ASSERT_EQ(make(acutBuildList(RTDXF0, "POINT", 8, "Survey", 62, 3, 10, kA, 0)), RTNORM);
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db()->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(layers->has("SURVEY"));
  EXPECT_FALSE(layers->has("Other"));
  layers->close();
  ads_name last;
  acdbEntLast(last);
  AcDbObjectId id;
  ASSERT_EQ(acdbGetObjectId(id, last), Acad::eOk);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(entity->setLayer("0"), Acad::eNotOpenForWrite);
  char* name = entity->layer();
  EXPECT_STREQ(name, "Survey");
  acad_free(name);
  EXPECT_EQ(entity->colorIndex(), 3);
  AcDbEntity* again = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(again, id, AcDb::kForWrite), Acad::eWasOpenForRead);
  entity->close();
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(acdbOpenAcDbEntity(again, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(entity->setLayer("Missing"), Acad::eKeyNotFound);
  EXPECT_EQ(entity->setLayer("0"), Acad::eOk);
  EXPECT_EQ(entity->setColorIndex(257), Acad::eOutOfRange);
  entity->close();
  List got(acdbEntGet(last));
  EXPECT_STREQ(group(got.head, 8)->resval.rstring, "0");
  EXPECT_EQ(group(got.head, 62)->resval.rint, 3);
}

TEST_F(EntityCoreTest, ANewDrawingHasItsTablesAndAnApplicationIsAddedOnce) {
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db()->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(blocks->has(ACDB_MODEL_SPACE));
  EXPECT_TRUE(blocks->has("*paper_space"));
  blocks->close();
  AcDbRegAppTable* apps = nullptr;
  ASSERT_EQ(db()->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(apps->has("acad"));
  auto* refused = new AcDbRegAppTableRecord();
  EXPECT_EQ(refused->setName("SPT"), Acad::eOk);
  EXPECT_EQ(apps->add(refused), Acad::eNotOpenForWrite);
  apps->close();
  ASSERT_EQ(db()->getRegAppTable(apps, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(apps->add(refused), Acad::eOk);
  refused->close();
  auto* twice = new AcDbRegAppTableRecord();
  twice->setName("spt");
  EXPECT_EQ(apps->add(twice), Acad::eDuplicateRecordName);
  delete twice;
  auto* wrongKind = new AcDbLayerTableRecord();
  wrongKind->setName("L");
  EXPECT_EQ(apps->add(wrongKind), Acad::eInvalidInput);
  delete wrongKind;
  auto* badName = new AcDbRegAppTableRecord();
  EXPECT_EQ(badName->setName("A<B"), Acad::eInvalidInput);
  delete badName;
  apps->close();
}

TEST_F(EntityCoreTest, EntitiesAppendedToEachSpaceShowTheirSpaceAndHandles) {
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db()->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
  AcDbObjectId ids[2];
  const char* spaces[] = {ACDB_MODEL_SPACE, ACDB_PAPER_SPACE};
  for (int i = 0; i < 2; ++i) {
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(blocks->getAt(spaces[i], space, AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine();
    EXPECT_EQ(space->appendAcDbEntity(ids[i], line), Acad::eOk);
    EXPECT_EQ(space->appendAcDbEntity(line), Acad::eAlreadyInDb);
    EXPECT_EQ(line->blockId(), space->objectId());
    line->close();
    space->close();
  }
  blocks->close();
  for (int i = 0; i < 2; ++i) {
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, ids[i]), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, ids[i]);
    List got(acdbEntGet(name));
    EXPECT_STREQ(group(got.head, 410)->resval.rstring, i == 0 ? "Model" : "Layout1");
    EXPECT_EQ(group(got.head, 67) != nullptr, i == 1);
    const char* handle = group(got.head, 5)->resval.rstring;
    EXPECT_EQ(std::string(handle).find_first_not_of("0123456789ABCDEF"), std::string::npos);
    ads_name found;
    ASSERT_EQ(acdbHandEnt(handle, found), RTNORM);
    EXPECT_TRUE(acdbNameEqual(found, name));
  }
  const ads_name bogus = {0, 0};
  AcDbObjectId none;
  EXPECT_EQ(acdbGetObjectId(none, bogus), Acad::eInvalidAdsName);
}

TEST_F(EntityCoreTest, CommandsRunByTheirNamesAndUnknownOnesAreRefused) {
  struct Case {
    const char* name;
    int status;
  };
  const Case cases[] = {{"_.REGEN", RTNORM}, {"regen", RTNORM},  {"._Regen", RTNORM},
                        {"_REGEN", RTNORM},  {"_.FOO", RTERROR}, {"", RTNORM}};
  int regens = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::takeCommandLine();
    EXPECT_EQ(acedCommand(RTSTR, c.name, 0), c.status);
    regens += c.status == RTNORM && c.name[0] != '\0' ? 1 : 0;
    EXPECT_EQ(sim::regenCount(), regens);
    EXPECT_EQ(sim::takeCommandLine(),
              c.status == RTERROR ? "\nUnknown command \"FOO\".  Press F1 for help.\n" : "");
  }
  EXPECT_EQ(acedCommand(RTSHORT, 1, 0), RTREJ);
  EXPECT_EQ(acedCommand(RTSTR, "_.REGEN", RTSTR, "_.REGEN", RTNONE), RTNORM);
  EXPECT_EQ(sim::regenCount(), regens + 2);
  sim::answer(sim::Answer::userBreak(true));
  EXPECT_EQ(acedCommand(RTSTR, "_.REGEN", 0), RTCAN);
  List args(acutBuildList(RTSTR, "_.REGEN", 0));
  EXPECT_EQ(acedCmd(args.head), RTNORM);
}

TEST_F(EntityCoreTest, EntModWaitsForRegenerationWhenTheHostAsks) {
  ASSERT_EQ(make(acutBuildList(RTDXF0, "POINT", 10, kA, 0)), RTNORM);
  ads_name last;
  acdbEntLast(last);
  List list(acdbEntGet(last));
  sim::refuseEntModUntilRegen();
  EXPECT_EQ(acdbEntMod(list.head), RTREJ);
  EXPECT_EQ(errnoValue(), 23);
  EXPECT_EQ(acedCommand(RTSTR, "_.REGEN", 0), RTNORM);
  EXPECT_EQ(acdbEntMod(list.head), RTNORM);
}

TEST_F(EntityCoreTest, TheHostsOwnMakerChecksAsEntMakeAndTheWalkSkipsDeletedEntities) {
  List paper(acutBuildList(RTDXF0, "POINT", 67, 1, 10, kA, 0));
  List model(acutBuildList(RTDXF0, "CIRCLE", 10, kA, 40, 1.0, 0));
  List refused(acutBuildList(RTDXF0, "CIRCLE", 10, kA, 0));
  AcDbObjectId ids[3];
  ASSERT_EQ(makeEntityFromList(*db(), paper.head, ids[0]), Acad::eOk);
  ASSERT_EQ(makeEntityFromList(*db(), model.head, ids[1]), Acad::eOk);
  ASSERT_EQ(makeEntityFromList(*db(), model.head, ids[2]), Acad::eOk);
  AcDbObjectId none;
  EXPECT_EQ(makeEntityFromList(*db(), refused.head, none), Acad::eInvalidInput);
  EXPECT_TRUE(none.isNull());
  EXPECT_EQ(errnoValue(), 47);
  ads_name middle;
  acdbGetAdsName(middle, ids[1]);
  acdbEntDel(middle);
  std::vector<AcDbObjectId> walked;
  sim::detail::EntityGroups groups;
  sim::detail::forEachEntity(*db(), [&](AcDbObjectId id, const AcDbEntity& entity) {
    walked.push_back(id);
    sim::detail::entityGroups(entity, groups);
    EXPECT_EQ(groups[0].code, -1);
    EXPECT_EQ(groups[0].id, id);
    EXPECT_EQ(groups[1].text, entity.dxfType());
    return true;
  });
  EXPECT_EQ(walked, (std::vector<AcDbObjectId>{ids[0], ids[2]}));
  AcDbEntity* point = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(point, ids[0], AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(point->blockId(), db()->paperSpaceId());
  point->close();
}

} // namespace
