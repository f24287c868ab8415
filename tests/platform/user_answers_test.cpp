// The queue of the user's answers as waiting calls take it: each kind, cancels, wrong kinds and
// the log of what was asked.
#include <gtest/gtest-spi.h>

#include "platform/acad/acedads.h"
#include "platform/internal/session.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

using Kind = sim::Answer::Kind;

class UserAnswersTest : public qvtest::HostTest {};

sim::Asked question(Kind kind, const char* call = "askingCall") {
  return sim::Asked{call, kind, "Prompt:", "default", "*.xml", 3};
}

TEST_F(UserAnswersTest, EachKindIsTakenInOrderWithItsValues) {
  const int64_t entity[2] = {41, 42};
  sim::answer(sim::Answer::button(6));
  sim::answer(sim::Answer::text("north"));
  sim::answer(sim::Answer::fileName("C:\\jobs\\road.xml"));
  sim::answer(sim::Answer::point(1.5, -2.0));
  sim::answer(sim::Answer::pick(entity, 3.0, 4.0, 5.0));
  sim::answer(sim::Answer::tile("width", "12.5"));
  EXPECT_EQ(sim::pendingAnswers(), 6u);

  const sim::Answer button = sim::detail::takeAnswer(question(Kind::Button));
  EXPECT_EQ(button.kind, Kind::Button);
  EXPECT_EQ(button.status, 6);
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Text)).value, "north");
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::FileName)).value, "C:\\jobs\\road.xml");
  const sim::Answer point = sim::detail::takeAnswer(question(Kind::Point));
  EXPECT_EQ(point.kind, Kind::Point);
  EXPECT_EQ(point.location[0], 1.5);
  EXPECT_EQ(point.location[1], -2.0);
  EXPECT_EQ(point.location[2], 0.0);
  const sim::Answer pick = sim::detail::takeAnswer(question(Kind::Pick));
  EXPECT_EQ(pick.kind, Kind::Pick);
  EXPECT_EQ(pick.entity[0], 41);
  EXPECT_EQ(pick.entity[1], 42);
  EXPECT_EQ(pick.location[2], 5.0);
  const sim::Answer tile = sim::detail::takeAnswer(question(Kind::Tile));
  EXPECT_EQ(tile.key, "width");
  EXPECT_EQ(tile.value, "12.5");
  EXPECT_EQ(sim::pendingAnswers(), 0u);
}

TEST_F(UserAnswersTest, AnEmptyQueueAndACancelAnswerAsAPersonWhoCancels) {
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::FileName)).kind, Kind::Cancel);
  sim::answer(sim::Answer::cancel());
  sim::answer(sim::Answer::text("after"));
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Button)).kind, Kind::Cancel);
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Text)).value, "after");
}

TEST_F(UserAnswersTest, AnAnswerOfTheWrongKindFailsTheTestNamingBothKinds) {
  sim::answer(sim::Answer::text("typed"));
  sim::answer(sim::Answer::button(1));
  sim::Answer taken;
  EXPECT_NONFATAL_FAILURE(taken = sim::detail::takeAnswer(question(Kind::FileName, "acedGetFileD")),
                          "acedGetFileD waits for a file name but the next answer is a text");
  EXPECT_EQ(taken.kind, Kind::Cancel);
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Button)).status, 1); // the wrong one was taken
}

TEST_F(UserAnswersTest, EveryWaitingCallIsLoggedWithWhatItAsked) {
  sim::answer(sim::Answer::button(1));
  sim::detail::takeAnswer(question(Kind::Button, "MessageBoxA"));
  sim::detail::takeAnswer(sim::Asked{"acedGetFileD", Kind::FileName, "Open", "road", "xml", 2});
  const std::vector<sim::Asked> log = sim::asked();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].call, "MessageBoxA");
  EXPECT_EQ(log[0].kind, Kind::Button);
  EXPECT_EQ(log[1].call, "acedGetFileD");
  EXPECT_EQ(log[1].prompt, "Open");
  EXPECT_EQ(log[1].defaultValue, "road");
  EXPECT_EQ(log[1].filter, "xml");
  EXPECT_EQ(log[1].flags, 2);
  sim::reset();
  EXPECT_TRUE(sim::asked().empty());
}

TEST_F(UserAnswersTest, TheEscCheckTakesOnlyABreakAnswerAndIsNotLogged) {
  sim::answer(sim::Answer::userBreak(false));
  sim::answer(sim::Answer::userBreak(true));
  sim::answer(sim::Answer::button(2));
  EXPECT_EQ(acedUsrBrk(), 0);
  EXPECT_NE(acedUsrBrk(), 0);
  EXPECT_EQ(acedUsrBrk(), 0); // a dialog's answer is next: nobody pressed ESC
  EXPECT_EQ(sim::pendingAnswers(), 1u);
  EXPECT_TRUE(sim::asked().empty());
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Button)).status, 2);
}

} // namespace
