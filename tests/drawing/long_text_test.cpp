// Long texts split into chains of result buffers and joined again.
#include <string>
#include <utility>

#include "drawing/long_text.h"
#include "drawing_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using LongTextTest = qvtest::DrawingTest;

TEST_F(LongTextTest, SplitsIntoMarkedPiecesAndJoinsBack) {
  // A length, and the lengths of the pieces.
  const std::pair<size_t, std::vector<size_t>> cases[] = {
      {0, {0}}, {502, {502}}, {503, {503}}, {504, {503, 2}}, {1006, {503, 503, 2}}};
  for (const auto& [length, items] : cases) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
      text += static_cast<char>('a' + i % 26);
    }
    resbuf* head = acutBuildList(RTSHORT, 12, RTNONE); // the chain goes after what is there
    ASSERT_EQ(qv::splitLongText(text.c_str(), head), head);
    std::vector<size_t> lengths;
    for (resbuf* item = head->rbnext; item != nullptr; item = item->rbnext) {
      const std::string piece = item->resval.rstring;
      lengths.push_back(piece.size());
      EXPECT_EQ(piece.size() == 503 && piece.back() == '\7', item->rbnext != nullptr);
    }
    EXPECT_EQ(lengths, items) << length;
    head->rbnext->restype = 1000; // extended-data texts join as well
    qv::msString joined = "stale";
    EXPECT_EQ(qv::joinLongText(head->rbnext, joined), nullptr);
    EXPECT_EQ(std::string(joined), text);
    EXPECT_EQ(qv::joinLongText(head, joined), nullptr); // not a text
    EXPECT_EQ(std::string(joined), "");
    acutRelRb(head);
  }
}

TEST_F(LongTextTest, JoinAnswersTheItemAfterAndFailedSplitsAppendNothing) {
  {
    resbuf* chain = qv::splitLongText(std::string(600, 'x').c_str(), nullptr);
    resbuf* after = acutBuildList(RTSHORT, 5, RTNONE);
    chain->rbnext->rbnext = after;
    qv::msString joined;
    EXPECT_EQ(qv::joinLongText(chain, joined), after);
    EXPECT_EQ(std::string(joined), std::string(600, 'x'));
    resbuf* rest = chain->rbnext; // a chain cut after a piece that says "more" ends safely
    chain->rbnext = nullptr;
    EXPECT_EQ(qv::joinLongText(chain, joined), nullptr);
    EXPECT_EQ(std::string(joined), std::string(502, 'x'));
    chain->rbnext = rest;
    acutRelRb(chain);
  } // joined (host memory) goes before the sweep checks the host
  qvtest::forEachFailure("acutBuildList", [&](int nth) {
    resbuf* made = qv::splitLongText(std::string(1200, 'y').c_str(), nullptr);
    EXPECT_EQ(made == nullptr, nth <= 3); // three items, or none at all
    acutRelRb(made);
  });
}

} // namespace
