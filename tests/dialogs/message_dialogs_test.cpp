// The family's alert and string dialogs, and the host's alert box where they cannot serve.
#include "dialogs/message_dialogs.h"

#include "dialogs_fixture.h"
#include "testing/failure_sweep.h"

namespace {

class MessageDialogsTest : public qvtest::DialogsTest {};

// Where showAlert put message: "dialog:<msg tile>", "alert:<text>", both, or "".
std::string whereShown(const char* message) {
  const size_t dialogs = sim::shownDialogs().size();
  const size_t alerts = sim::alerts().size();
  qv::showAlert(message);
  std::string shown;
  if (sim::shownDialogs().size() > dialogs) {
    shown += "dialog:" + qvtest::valueAtStart(sim::shownDialogs().back(), "msg");
  }
  return sim::alerts().size() > alerts ? shown + "alert:" + sim::alerts().back() : shown;
}

TEST_F(MessageDialogsTest, ShowsShortOneLineMessagesInTheFamilyDialog) {
  const std::string fifty(50, 'm');
  const struct {
    const char* prepare; // AutoLISP run first
    std::string message;
    std::string shown;
  } cases[] = {
      {"", fifty, "dialog:" + fifty},
      {"", fifty + "m", "alert:" + fifty + "m"},
      {"", "two\nlines", "alert:two\nlines"},
      {"(setq mc_lspdir$ lspdir$ lspdir$ nil)", "no lspdir$", "alert:no lspdir$"},
      {"(setq lspdir$ usrdir$)", "no file", "alert:no file"},
      {"(setq lspdir$ 7)", "a number", "alert:a number"},
  };
  for (const auto& each : cases) {
    resetSession();
    sim::evalLisp(each.prepare);
    EXPECT_EQ(whereShown(each.message.c_str()), each.shown);
    if (each.shown.rfind("dialog:", 0) == 0) { // nobody answers: ESC runs the OK button's action
      EXPECT_EQ(sim::shownDialogs().back().status, DLGOK);
    }
  }
  resetSession();
  for (const char* call : {"acedGetSym", "ads_load_dialog", "ads_new_dialog", "ads_set_tile",
                           "ads_start_dialog", "ads_action_tile"}) {
    const int points = qvtest::forEachFailure(call, [](int) {
      const std::string shown = whereShown("once"); // once, no more
      EXPECT_TRUE(shown == "alert:once" || shown == "dialog:once" || shown == "dialog:alert:once")
          << shown;
    });
    EXPECT_GT(points, 0) << call;
  }
}

TEST_F(MessageDialogsTest, AsksForAStringAndNeverReportsALostAnswerAsAccepted) {
  const struct {
    std::vector<sim::Answer> steps;
    int status;
    const char* output;
  } cases[] = {
      {{sim::Answer::tile("value", "North, 'fence'"), sim::Answer::press("ok")},
       RTNORM,
       "North, 'f"},
      {{sim::Answer::press("ok")}, RTNORM, ""}, // the box starts empty
      {{sim::Answer::tile("value", "typed"), sim::Answer::press("cancel")}, RTCAN, "as it was"},
      {{sim::Answer::tile("value", "typed")}, RTCAN, "as it was"},
  };
  sim::evalLisp("(setq mc_lspdir$ lspdir$ lspdir$ nil)");
  for (const auto& each : cases) {
    for (const sim::Answer& step : each.steps) {
      sim::answer(step);
    }
    char output[10] = "as it was";
    EXPECT_EQ(qv::askString("Layer:", "New layer", output, sizeof output), each.status);
    EXPECT_STREQ(output, each.output);
    // The caption goes through SetWindowTextA: where Windows answers, the stand-in host's
    // dialogs are no windows of its own.
    if (!sim::windowsAnswers()) {
      EXPECT_EQ(sim::shownDialogs().back().caption, "New layer");
    }
    EXPECT_EQ(sim::shownDialogs().back().focusAtStart, "value");
    EXPECT_EQ(qvtest::valueAtStart(sim::shownDialogs().back(), "prompt"), "Layer:");
  }
  // No file, then a file without the dialog.
  qvtest::writeText(tempDir() / "qvanfile.dcl", "qvan_alert : dialog { ok_only; }");
  for (const std::filesystem::path& folder : {user(), tempDir()}) {
    qvtest::putText("mc_lspdir$", (folder.string() + "/").c_str());
    char output[10] = "as it was";
    EXPECT_EQ(qv::askString("Layer:", "New layer", output, sizeof output), RTERROR);
    EXPECT_EQ(sim::takeCommandLine(), "Can not load a dialog definition\n");
    EXPECT_STREQ(output, "as it was");
  }
  qvtest::putText("mc_lspdir$", (lisp().string() + "/").c_str()); // the family's file again
  for (const char* call : {"acedGetSym", "ads_load_dialog", "ads_new_dialog", "ads_start_dialog",
                           "ads_action_tile", "ads_get_tile", "ads_done_dialog", "ads_set_tile"}) {
    const int points = qvtest::forEachFailure(call, [](int) {
      if (sim::pendingAnswers() == 0) { // a dialog never shown left them queued
        sim::answer(sim::Answer::tile("value", "typed"));
        sim::answer(sim::Answer::press("ok"));
      }
      char output[10] = "as it was";
      const int status = qv::askString("Layer:", "Title", output, sizeof output);
      EXPECT_STREQ(output, status == RTNORM ? "typed" : "as it was") << status;
    });
    EXPECT_GT(points, 0) << call;
  }
}

} // namespace
