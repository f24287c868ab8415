// The stand-in's allocator and result buffers: counting, list building and release checks.
#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class HostMemoryTest : public qvtest::HostTest {};

TEST_F(HostMemoryTest, CountsBlocksAndBuffersUntilReleased) {
  void* block = acad_malloc(16);
  resbuf* item = acutNewRb(RTSTR);
  item->resval.rstring = acad_strdup("text");
  EXPECT_EQ(sim::liveBlocks(), 2);
  EXPECT_EQ(sim::liveResbufs(), 1);
  acutRelRb(item); // frees the string with the buffer
  EXPECT_EQ(sim::liveBlocks(), 1);
  block = acad_realloc(block, 4096);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(sim::liveBlocks(), 1);
  acad_free(block);
}

TEST_F(HostMemoryTest, CatchesLeaksAndDoubleReleases) {
  expectCleanHost_ = false;
  void* leaked = acad_malloc(8);
  EXPECT_EQ(sim::liveBlocks(), 1);
  acad_free(leaked);
  acad_free(leaked);
  resbuf* item = acutNewRb(RTSHORT);
  acutRelRb(item);
  acutRelRb(item);
  int local = 0;
  acad_free(&local);
  ASSERT_EQ(sim::memoryProblems().size(), 3u);
  EXPECT_NE(sim::memoryProblems()[0].find("freed twice"), std::string::npos);
  EXPECT_NE(sim::memoryProblems()[1].find("released twice"), std::string::npos);
}

TEST_F(HostMemoryTest, EverySecondReleaseIsCaughtWhateverTheAllocatorDidWithTheBlock) {
  // Enough blocks of each size that the C library files the released ones in every kind of free
  // list it has (per-thread caches, fast lists, sorted lists): none may read as live again.
  // Windows' heap gives a megabyte block's pages back to the system at once.
  expectCleanHost_ = false;
  for (const size_t size : {size_t{8}, size_t{200}, size_t{2000}, size_t{20000}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    sim::reset();
    void* blocks[20];
    for (void*& block : blocks) {
      block = acad_malloc(size);
      ASSERT_NE(block, nullptr);
    }
    for (void* block : blocks) {
      acad_free(block);
    }
    EXPECT_EQ(sim::liveBlocks(), 0);
    for (void* block : blocks) {
      acad_free(block);
    }
    EXPECT_EQ(sim::memoryProblems().size(), 20u);
    EXPECT_EQ(sim::liveBlocks(), 0);
  }
}

TEST_F(HostMemoryTest, BlocksFromAnEarlierSessionAreFreedWithoutCounting) {
  void* kept = acad_malloc(32);
  resbuf* item = acutNewRb(RTSHORT);
  sim::reset(); // forgets both
  EXPECT_EQ(sim::liveBlocks(), 0);
  void* fresh = acad_malloc(32);
  acad_free(kept);
  acutRelRb(item);
  EXPECT_EQ(sim::liveBlocks(), 1);
  EXPECT_EQ(sim::liveResbufs(), 0);
  EXPECT_TRUE(sim::memoryProblems().empty());
  acad_free(fresh);
}

TEST_F(HostMemoryTest, BuildListCopiesEveryKindOfValue) {
  ads_point point = {1.0, 2.0, 3.0};
  ads_name name = {7, 9};
  resbuf* list =
      acutBuildList(RTSTR, "a", RTSHORT, -2, RTLONG, int32_t{100000}, RTREAL, 2.5, RTPOINT, point,
                    RT3DPOINT, point, RTENAME, name, RTLB, RTLE, RTDXF0, "LINE", 8, "0", RTNONE);
  ASSERT_NE(list, nullptr);
  const resbuf* item = list;
  EXPECT_STREQ(item->resval.rstring, "a");
  item = item->rbnext;
  EXPECT_EQ(item->resval.rint, -2);
  item = item->rbnext;
  EXPECT_EQ(item->resval.rlong, 100000);
  item = item->rbnext;
  EXPECT_EQ(item->resval.rreal, 2.5);
  item = item->rbnext;
  EXPECT_EQ(item->resval.rpoint[Z], 0.0); // a 2D point has no z
  item = item->rbnext;
  EXPECT_EQ(item->resval.rpoint[Z], 3.0);
  item = item->rbnext;
  EXPECT_EQ(item->resval.rlname[1], 9);
  item = item->rbnext->rbnext->rbnext;
  EXPECT_EQ(item->restype, 0);
  EXPECT_STREQ(item->resval.rstring, "LINE");
  EXPECT_STREQ(item->rbnext->resval.rstring, "0");
  EXPECT_EQ(item->rbnext->rbnext, nullptr);
  acutRelRb(list);
}

TEST_F(HostMemoryTest, BuildListRefusesAnEmptyListAndUnknownTypes) {
  EXPECT_EQ(acutBuildList(RTNONE), nullptr);
  EXPECT_EQ(acutBuildList(RTSTR, "kept", 4999, 1, RTNONE), nullptr);
  sim::failCall("acutNewRb", 2);
  EXPECT_EQ(acutBuildList(RTSTR, "a", RTSTR, "b", RTNONE), nullptr);
}

TEST_F(HostMemoryTest, PrintCutsAt132Characters) {
  acutPrintf("\n%s", std::string(200, 'x').c_str());
  EXPECT_EQ(sim::takeCommandLine().size(), 132u);
  EXPECT_EQ(sim::commandLine(), "");
}

} // namespace
