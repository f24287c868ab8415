// The ADS entity calls: changes and their refusals, the delete toggle, handles of deleted
// entities, extended data by application, the walk, and each call's planned failure.
#include <functional>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbsymtb.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"

namespace {

using qvtest::errnoValue;
using qvtest::group;
using qvtest::List;

const ads_point kA = {1, 2, 0};
const ads_point kB = {4, 6, 0};

class EntityCallsTest : public qvtest::HostTest {
protected:
  // A new LINE from kA to kB; its name.
  void makeLine(ads_name name) {
    List list(acutBuildList(RTDXF0, "LINE", 10, kA, 11, kB, 0));
    ASSERT_EQ(acdbEntMakeX(list.head, name), RTNORM);
  }
};

TEST_F(EntityCallsTest, EntModChangesWhatItIsGivenAndRefusesAsTheHost) {
  acdbRegApp("CTRLABEL");
  const ads_point moved = {7, 8, 9};
  struct Case {
    const char* what;
    std::function<resbuf*(const ads_name)> list;
    int status;
    int errnoValue;
  };
  const Case cases[] = {
      {"point", [&](const ads_name e) { return acutBuildList(-1, e, 10, moved, 0); }, RTNORM, 0},
      {"new layer", [](const ads_name e) { return acutBuildList(-1, e, 8, "Roads", 0); }, RTNORM,
       0},
      {"colour", [](const ads_name e) { return acutBuildList(-1, e, 62, 5, 0); }, RTNORM, 0},
      {"xdata",
       [](const ads_name e) {
         return acutBuildList(-1, e, -3, 1001, "ctrlabel", 1000, "A", 1070, 3, 0);
       },
       RTNORM, 0},
      {"type", [](const ads_name e) { return acutBuildList(-1, e, RTDXF0, "CIRCLE", 0); }, RTREJ,
       24},
      {"handle", [](const ads_name e) { return acutBuildList(-1, e, 5, "FFFF", 0); }, RTREJ, 33},
      {"colour 300", [](const ads_name e) { return acutBuildList(-1, e, 62, 300, 0); }, RTREJ, 27},
      {"layer a<b", [](const ads_name e) { return acutBuildList(-1, e, 8, "a<b", 0); }, RTREJ, 25},
      {"unregistered",
       [](const ads_name e) { return acutBuildList(-1, e, -3, 1001, "NONE", 1000, "x", 0); }, RTREJ,
       50},
      {"xdata code",
       [](const ads_name e) { return acutBuildList(-1, e, -3, 1001, "CTRLABEL", 10, kA, 0); },
       RTREJ, 48},
      {"no name", [](const ads_name) { return acutBuildList(62, 5, 0); }, RTERROR, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ads_name line;
    makeLine(line);
    List before(acdbEntGetX(line, nullptr));
    List change(c.list(line));
    sim::setSysVarShort("ERRNO", 0);
    EXPECT_EQ(acdbEntMod(change.head), c.status);
    EXPECT_EQ(errnoValue(), c.errnoValue);
    List apps(acutBuildList(RTSTR, "*", 0));
    List after(acdbEntGetX(line, apps.head));
    if (c.status != RTNORM) {
      EXPECT_EQ(group(after.head, -3), nullptr);
      EXPECT_EQ(group(after.head, 10)->resval.rpoint[X], 1);
      EXPECT_STREQ(group(after.head, 8)->resval.rstring, "0");
      EXPECT_EQ(group(after.head, 62), nullptr);
      continue;
    }
    const std::string what = c.what;
    EXPECT_EQ(group(after.head, 10)->resval.rpoint[Z], what == "point" ? 9 : 0);
    EXPECT_EQ(group(after.head, 11)->resval.rpoint[X], 4); // groups not given stay
    EXPECT_STREQ(group(after.head, 8)->resval.rstring, what == "new layer" ? "Roads" : "0");
    EXPECT_EQ(group(after.head, 62) != nullptr, what == "colour");
    EXPECT_EQ(group(after.head, -3) != nullptr, what == "xdata");
  }
}

TEST_F(EntityCallsTest, DeleteIsAToggleAndHandlesFindDeletedEntities) {
  ads_name first, second;
  makeLine(first);
  makeLine(second);
  List list(acdbEntGet(second));
  const std::string handle = group(list.head, 5)->resval.rstring;
  ASSERT_EQ(acdbEntDel(second), RTNORM);
  EXPECT_EQ(acdbEntGet(second), nullptr);
  EXPECT_EQ(acdbEntMod(list.head), RTREJ);
  EXPECT_EQ(errnoValue(), 31);
  ads_name last;
  ASSERT_EQ(acdbEntLast(last), RTNORM);
  EXPECT_TRUE(acdbNameEqual(last, first));
  ads_name found;
  ASSERT_EQ(acdbHandEnt(handle.c_str(), found), RTNORM);
  EXPECT_TRUE(acdbNameEqual(found, second));
  ASSERT_EQ(acdbEntDel(found), RTNORM); // brought back
  List back(acdbEntGet(second));
  ASSERT_NE(back.head, nullptr);
  ASSERT_EQ(acdbEntLast(last), RTNORM);
  EXPECT_TRUE(acdbNameEqual(last, second));
  struct Bad {
    const char* handle;
    int errnoValue;
  };
  const Bad bad[] = {{"XYZ", 13}, {"", 13}, {"12345678901234567", 13}, {"FFFFFF", 14}, {"1", 14}};
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.handle);
    EXPECT_EQ(acdbHandEnt(b.handle, found), RTERROR);
    EXPECT_EQ(errnoValue(), b.errnoValue);
  }
  const ads_name nobody = {0, 0};
  EXPECT_EQ(acdbEntDel(nobody), RTERROR);
  EXPECT_EQ(errnoValue(), 2);
}

TEST_F(EntityCallsTest, ExtendedDataComesBackForTheApplicationsAsked) {
  ASSERT_EQ(acdbRegApp("CTRLABEL"), RTNORM);
  EXPECT_EQ(acdbRegApp("ctrlabel"), RTERROR); // once only
  ASSERT_EQ(acdbRegApp("SPT"), RTNORM);
  ads_name line;
  makeLine(line);
  List change(acutBuildList(-1, line, -3, 1001, "CTRLABEL", 1000, "L1", 1001, "SPT", 1070, 7, 0));
  ASSERT_EQ(acdbEntMod(change.head), RTNORM);
  struct Case {
    std::vector<const char*> apps;
    std::vector<std::string> shown;
  };
  const Case cases[] = {{{"*"}, {"CTRLABEL", "SPT"}}, {{"CTRL*"}, {"CTRLABEL"}},
                        {{"spt"}, {"SPT"}},           {{"OTHER"}, {}},
                        {{"OTHER", "SPT"}, {"SPT"}},  {{"C*", "S*"}, {"CTRLABEL", "SPT"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.apps.front());
    resbuf* apps = nullptr;
    for (auto name = c.apps.rbegin(); name != c.apps.rend(); ++name) {
      resbuf* app = acutBuildList(RTSTR, *name, 0);
      app->rbnext = apps;
      apps = app;
    }
    List owned(apps);
    List got(acdbEntGetX(line, apps));
    EXPECT_EQ(group(got.head, -3) != nullptr, !c.shown.empty());
    for (size_t i = 0; i < c.shown.size() + 1; ++i) {
      const resbuf* app = group(got.head, 1001, static_cast<int>(i));
      EXPECT_EQ(app == nullptr ? "" : std::string(app->resval.rstring),
                i < c.shown.size() ? c.shown[i] : "");
    }
  }
  // setXData on the opened entity: replace one application's data, drop the other's.
  AcDbObjectId id;
  ASSERT_EQ(acdbGetObjectId(id, line), Acad::eOk);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
  List replace(acutBuildList(1001, "SPT", 1070, 8, 1001, "CTRLABEL", 0));
  EXPECT_EQ(entity->setXData(replace.head), Acad::eNotOpenForWrite);
  entity->close();
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  List unknown(acutBuildList(1001, "NOAPP", 1000, "x", 0));
  EXPECT_EQ(entity->setXData(unknown.head), Acad::eRegappIdNotFound);
  List noStart(acutBuildList(1000, "x", 0));
  EXPECT_EQ(entity->setXData(noStart.head), Acad::eInvalidResBuf);
  std::string big(1000, 'x');
  resbuf* huge = nullptr;
  for (int i = 0; i < 17; ++i) {
    resbuf* item = acutBuildList(1000, big.c_str(), 0);
    item->rbnext = huge;
    huge = item;
  }
  resbuf* app = acutBuildList(1001, "SPT", 0);
  app->rbnext = huge;
  List tooBig(app);
  EXPECT_EQ(entity->setXData(tooBig.head), Acad::eXdataSizeExceeded);
  EXPECT_EQ(entity->setXData(replace.head), Acad::eOk);
  List all(entity->xData());
  List spt(entity->xData("spt"));
  entity->close();
  EXPECT_EQ(group(all.head, 1001, 1), nullptr);
  EXPECT_STREQ(group(spt.head, 1001)->resval.rstring, "SPT");
  EXPECT_EQ(group(spt.head, 1070)->resval.rint, 8);
}

TEST_F(EntityCallsTest, EntNextWalksTheDrawingSkippingDeletedEntities) {
  ads_name names[3];
  for (ads_name& name : names) {
    makeLine(name);
  }
  acdbEntDel(names[1]);
  ads_name at;
  ASSERT_EQ(acdbEntNext(nullptr, at), RTNORM);
  EXPECT_TRUE(acdbNameEqual(at, names[0]));
  ASSERT_EQ(acdbEntNext(at, at), RTNORM);
  EXPECT_TRUE(acdbNameEqual(at, names[2]));
  sim::setSysVarShort("ERRNO", 0);
  EXPECT_EQ(acdbEntNext(at, at), RTERROR);
  EXPECT_EQ(errnoValue(), 0);
  const ads_name bogus = {12345, 1};
  EXPECT_EQ(acdbEntNext(bogus, at), RTERROR);
  EXPECT_EQ(errnoValue(), 2);
}

TEST_F(EntityCallsTest, EachEntityCallAnswersItsPlannedFailureAndChangesNothing) {
  ads_name line;
  makeLine(line);
  List list(acdbEntGet(line));
  const ads_name kept = {line[0], line[1]};
  struct Case {
    const char* call;
    std::function<bool()> failed; // true when the call answered its failure
  };
  const Case cases[] = {
      {"acdbEntGet", [&] { return acdbEntGet(kept) == nullptr; }},
      {"acdbEntGetX", [&] { return acdbEntGetX(kept, nullptr) == nullptr; }},
      {"acdbEntMod", [&] { return acdbEntMod(list.head) == RTERROR; }},
      {"acdbEntMake", [&] { return acdbEntMake(list.head) == RTREJ; }},
      {"acdbEntDel", [&] { return acdbEntDel(kept) == RTERROR; }},
      {"acdbEntLast",
       [&] {
         ads_name n;
         return acdbEntLast(n) == RTERROR;
       }},
      {"acdbEntNext",
       [&] {
         ads_name n;
         return acdbEntNext(nullptr, n) == RTERROR;
       }},
      {"acdbHandEnt",
       [&] {
         ads_name n;
         return acdbHandEnt("1", n) == RTERROR;
       }},
      {"acdbRegApp", [&] { return acdbRegApp("NEWAPP") == RTERROR; }},
      {"acdbGetObjectId",
       [&] {
         AcDbObjectId id;
         return acdbGetObjectId(id, kept) != Acad::eOk && id.isNull();
       }},
      {"acdbOpenAcDbEntity",
       [&] {
         AcDbObjectId id;
         acdbGetObjectId(id, kept);
         AcDbEntity* e = nullptr;
         return acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk && e == nullptr;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    sim::failCall(c.call);
    EXPECT_TRUE(c.failed());
    List after(acdbEntGet(kept));
    ASSERT_NE(after.head, nullptr);
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    EXPECT_TRUE(acdbNameEqual(last, kept)); // nothing made, nothing deleted
  }
}

} // namespace
