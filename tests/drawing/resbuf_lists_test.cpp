// Items found in lists, and copies that can be released beside their originals.
#include <utility>

#include "drawing/resbuf_lists.h"
#include "drawing_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using ResbufListsTest = qvtest::DrawingTest;

TEST_F(ResbufListsTest, ItemsByPositionAndExtendedTexts) {
  resbuf* list = acutBuildList(RTSHORT, 1, 1000, "Alpha", 1000, "alpha", 1001, "alpha", RTNONE);
  resbuf* third = list->rbnext->rbnext;
  const std::pair<int, resbuf*> cases[] = {
      {0, list}, {2, third}, {3, third->rbnext}, {4, nullptr}, {-1, nullptr}};
  for (const auto& [n, item] : cases) {
    EXPECT_EQ(qv::listItemAt(list, n), item) << n;
  }
  EXPECT_EQ(qv::findXdataString(list, "alpha"), third); // case counts; a 1001 is not looked at
  EXPECT_EQ(qv::findXdataString(list, "ALPHA"), nullptr);
  acutRelRb(list);
}

// For every type code: an item holding a host text (for the binary groups, host bytes) is copied
// and both lists are released. A shared text would be released twice; a copied text the host
// does not release would leak.
TEST_F(ResbufListsTest, CopiesReleaseCleanlyBesideTheirOriginalsForEveryType) {
  for (int type = -5; type <= RTRESBUF; type = type == 1071 ? RTNONE : type + 1) {
    const bool binary = (type >= 310 && type <= 319) || type == 1004;
    resbuf* item = acutNewRb(type);
    char* payload = acad_strdup("abc");
    if (binary) {
      item->resval.rbinary = {4, payload};
    } else {
      item->resval.rstring = payload;
    }
    resbuf* copy = qv::copyResbufList(item);
    ASSERT_NE(copy, nullptr) << type;
    EXPECT_STREQ(binary ? copy->resval.rbinary.buf : copy->resval.rstring, "abc") << type;
    const int64_t before = sim::liveBlocks();
    acutRelRb(copy);
    const bool released = sim::liveBlocks() < before;
    acutRelRb(item);
    ASSERT_TRUE(sim::memoryProblems().empty()) << "type " << type;
    if (!released) {
      acad_free(payload); // not the host's to release: the copy shared it
    }
    ASSERT_EQ(sim::liveBlocks(), 0) << type;
  }
}

TEST_F(ResbufListsTest, CopiesKeepTheOrderAndLeaveNothingWhenMemoryRunsOut) {
  char layer[] = "walls", note[] = "note"; // the original is the caller's own memory
  resbuf items[3] = {};
  items[0] = {&items[1], 8, {}};
  items[0].resval.rstring = layer;
  items[1] = {&items[2], 40, {}};
  items[1].resval.rreal = 2.5;
  items[2] = {nullptr, 1000, {}};
  items[2].resval.rstring = note;
  for (const char* call : {"acutNewRb", "acad_malloc"}) {
    qvtest::forEachFailure(call, [&](int) {
      resbuf* copy = qv::copyResbufList(items);
      if (copy != nullptr) {
        EXPECT_STREQ(copy->resval.rstring, "walls");
        EXPECT_EQ(copy->rbnext->resval.rreal, 2.5);
        EXPECT_STREQ(copy->rbnext->rbnext->resval.rstring, "note");
        EXPECT_NE(copy->rbnext->rbnext->resval.rstring, note);
      }
      acutRelRb(copy);
    });
  }
}

} // namespace
