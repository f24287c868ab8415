// The queue of the user's answers as waiting calls take it: cancels, wrong kinds, the ESC check
// and the log of what was asked.
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

// Each kind's values reach the caller through the waiting calls (the dialog, pick, file and
// message-box tests show them, and the log of what was asked); here what those do not show.
TEST_F(UserAnswersTest, APointWithoutHeightLiesAtZeroAndAResetForgetsTheLog) {
  sim::answer(sim::Answer::point(1.5, -2.0));
  EXPECT_EQ(sim::detail::takeAnswer(question(Kind::Point)).location[2], 0.0);
  EXPECT_EQ(sim::asked().size(), 1u);
  sim::reset();
  EXPECT_TRUE(sim::asked().empty());
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
