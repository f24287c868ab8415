// Items found in lists, and copies that can be released beside their originals.
#include <cstring>

#include "drawing/resbuf_lists.h"
#include "drawing_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using ResbufListsTest = qvtest::DrawingTest;

TEST_F(ResbufListsTest, ItemsByPositionAndExtendedTexts) {
  resbuf* list = acutBuildList(RTSHORT, 1, 1000, "Alpha", 1000, "alpha", 1001, "alpha", RTNONE);
  ASSERT_NE(list, nullptr);
  struct Case {
    int n;
    resbuf* item;
  } cases[] = {{0, list},
               {2, list->rbnext->rbnext},
               {3, list->rbnext->rbnext->rbnext},
               {4, nullptr},
               {40, nullptr},
               {-1, nullptr}};
  for (const Case& c : cases) {
    EXPECT_EQ(qv::listItemAt(list, c.n), c.item) << c.n;
  }
  EXPECT_EQ(qv::listItemAt(nullptr, 0), nullptr);
  EXPECT_EQ(qv::findXdataString(list, "alpha"), list->rbnext->rbnext); // case counts; not 1001
  EXPECT_EQ(qv::findXdataString(list, "ALPHA"), nullptr);
  EXPECT_EQ(qv::findXdataString(list, nullptr), nullptr);
  acutRelRb(list);
}

// For every type code: an item holding a host text (or, for the binary groups, host bytes) is
// copied, and both lists are released. The copy must own exactly what the host releases: a
// shared text would be released twice, a copied text that the host does not release would leak.
TEST_F(ResbufListsTest, CopiesReleaseCleanlyBesideTheirOriginalsForEveryType) {
  std::vector<int> types;
  for (int code = -5; code <= 1071; ++code) {
    types.push_back(code);
  }
  for (int code = RTNONE; code <= RTRESBUF; ++code) {
    types.push_back(code);
  }
  for (int type : types) {
    const bool binary = (type >= 310 && type <= 319) || type == 1004;
    resbuf* item = acutNewRb(type);
    ASSERT_NE(item, nullptr);
    void* payload = acad_malloc(4);
    std::memcpy(payload, "abc", 4);
    if (binary) {
      item->resval.rbinary.clen = 4;
      item->resval.rbinary.buf = static_cast<char*>(payload);
    } else {
      item->resval.rstring = static_cast<char*>(payload);
    }
    resbuf* copy = qv::copyResbufList(item);
    ASSERT_NE(copy, nullptr) << type;
    EXPECT_EQ(copy->restype, type);
    if (binary) {
      ASSERT_NE(copy->resval.rbinary.buf, nullptr);
      EXPECT_EQ(std::memcmp(copy->resval.rbinary.buf, "abc", 4), 0) << type;
    } else {
      EXPECT_STREQ(copy->resval.rstring, "abc") << type;
    }
    const int64_t before = sim::liveBlocks();
    acutRelRb(copy);
    const bool released = sim::liveBlocks() < before; // the host released what the copy owned
    acutRelRb(item);
    ASSERT_TRUE(sim::memoryProblems().empty()) << "type " << type;
    if (!released) {
      // Not a value the host releases: the original still holds it, and the copy shared it.
      EXPECT_EQ(sim::liveBlocks(), 1) << type;
      acad_free(payload);
    }
    ASSERT_EQ(sim::liveBlocks(), 0) << type;
  }
}

TEST_F(ResbufListsTest, CopiesKeepOrderAndValuesAndLeaveNothingWhenMemoryRunsOut) {
  // The original is the caller's own (not host memory), so that only the copy is counted.
  char line[] = "LINE", walls[] = "walls", app[] = "APP", note[] = "note";
  resbuf items[8] = {};
  const short types[8] = {0, 8, 10, RTSHORT, -3, 1001, 1000, 1040};
  for (int i = 0; i < 8; ++i) {
    items[i].restype = types[i];
    items[i].rbnext = i < 7 ? &items[i + 1] : nullptr;
  }
  items[0].resval.rstring = line;
  items[1].resval.rstring = walls;
  items[2].resval.rpoint[Y] = 2.0;
  items[3].resval.rint = 7;
  items[5].resval.rstring = app;
  items[6].resval.rstring = note;
  items[7].resval.rreal = 2.5;
  for (const char* call : {"acutNewRb", "acad_malloc"}) {
    qvtest::forEachFailure(call, [&](int) {
      resbuf* copy = qv::copyResbufList(items);
      if (copy == nullptr) {
        return;
      }
      const resbuf* a = items;
      const resbuf* b = copy;
      for (; a != nullptr && b != nullptr; a = a->rbnext, b = b->rbnext) {
        EXPECT_EQ(a->restype, b->restype);
        if (a->restype == 0 || a->restype == 8 || a->restype == 1001 || a->restype == 1000) {
          EXPECT_STREQ(a->resval.rstring, b->resval.rstring);
          EXPECT_NE(a->resval.rstring, b->resval.rstring);
        }
      }
      EXPECT_EQ(a, b); // both ended
      EXPECT_EQ(qv::listItemAt(copy, 2)->resval.rpoint[Y], 2.0);
      EXPECT_EQ(qv::listItemAt(copy, 3)->resval.rint, 7);
      EXPECT_EQ(qv::listItemAt(copy, 7)->resval.rreal, 2.5);
      acutRelRb(copy);
    });
  }
  EXPECT_EQ(qv::copyResbufList(nullptr), nullptr);
}

} // namespace
