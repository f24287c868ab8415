// Long texts split into chains of result buffers and joined again.
#include <string>

#include "drawing/long_text.h"
#include "drawing_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using LongTextTest = qvtest::DrawingTest;

std::string sample(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += static_cast<char>('a' + i % 26);
  }
  return text;
}

TEST_F(LongTextTest, SplitsIntoMarkedPiecesAndJoinsBack) {
  struct Case {
    size_t length;
    std::vector<size_t> items;
  } cases[] = {{0, {0}},        {502, {502}},          {503, {503}},
               {504, {503, 2}}, {1006, {503, 503, 2}}, {1009, {503, 503, 5}}};
  for (const Case& c : cases) {
    const std::string text = sample(c.length);
    resbuf* head = acutBuildList(RTSHORT, 12, RTNONE); // the chain goes after what is there
    ASSERT_EQ(qv::splitLongText(text.c_str(), head), head);
    std::vector<size_t> lengths;
    for (resbuf* item = head->rbnext; item != nullptr; item = item->rbnext) {
      ASSERT_EQ(item->restype, RTSTR);
      const std::string piece = item->resval.rstring;
      lengths.push_back(piece.size());
      if (item->rbnext != nullptr) {
        EXPECT_EQ(piece.back(), '\7') << c.length;
      }
    }
    EXPECT_EQ(lengths, c.items) << c.length;
    qv::msString joined = "stale";
    EXPECT_EQ(qv::joinLongText(head->rbnext, joined), nullptr);
    EXPECT_EQ(std::string(joined), text);
    acutRelRb(head);
  }
}

TEST_F(LongTextTest, JoinStopsAtTheChainsEndOrAtAnItemOfAnotherType) {
  const std::string text = sample(600);
  resbuf* chain = qv::splitLongText(text.c_str(), nullptr);
  ASSERT_NE(chain, nullptr);
  resbuf* after = acutBuildList(RTSHORT, 5, RTNONE);
  chain->rbnext->rbnext = after;
  qv::msString joined;
  EXPECT_EQ(qv::joinLongText(chain, joined), after); // the item after the text
  EXPECT_EQ(std::string(joined), text);
  EXPECT_EQ(qv::joinLongText(after, joined), nullptr); // not a text
  EXPECT_EQ(std::string(joined), "");

  // A chain whose last item still says "more" ends safely at the end of the list.
  chain->rbnext->rbnext = nullptr;
  acutRelRb(after);
  chain->rbnext->restype = 1000;
  std::string marked = sample(502) + '\7';
  acad_free(chain->rbnext->resval.rstring);
  chain->rbnext->resval.rstring = acad_strdup(marked.c_str());
  EXPECT_EQ(qv::joinLongText(chain, joined), nullptr);
  EXPECT_EQ(std::string(joined), text.substr(0, 502) + sample(502));
  acutRelRb(chain);
}

TEST_F(LongTextTest, FailedBuildsAppendNothing) {
  const std::string text = sample(1200);
  qvtest::forEachFailure("acutBuildList", [&](int) {
    resbuf* head = acutBuildList(RTSHORT, 1, RTNONE);
    if (head == nullptr) {
      return;
    }
    ASSERT_EQ(qv::splitLongText(text.c_str(), head), head);
    int items = 0;
    for (resbuf* item = head; item != nullptr; item = item->rbnext) {
      ++items;
    }
    EXPECT_TRUE(items == 1 || items == 4) << items;
    acutRelRb(head);
  });
  qvtest::forEachFailure("acutBuildList", [&](int nth) {
    resbuf* chain = qv::splitLongText(text.c_str(), nullptr);
    EXPECT_EQ(chain == nullptr, nth <= 3); // three items, or none at all
    acutRelRb(chain);
  });
}

} // namespace
