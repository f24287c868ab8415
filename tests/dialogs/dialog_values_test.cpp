// The memory of dialog values: saved from a dialog, put back into a fresh one, read one by one,
// the records of other dialogs kept, and the files whole whatever fails or is killed.
#include "dialogs/dialog_values.h"

#include "dialogs_fixture.h"
#include "records/uni_record.h"
#include "testing/failing_new.h"
#include "testing/failure_sweep.h"
#include "testing/killed_writer.h"

namespace {

// Records of other dialogs: another file's ab, this file's abc, a line of 300 characters, and
// a last line without its line end.
const std::string kOthers = "g,ab,name,'other file'\r\nf,abc,name,'longer name'\r\nf,x,k,'" +
                            std::string(300, 'v') + "'\r\nf,abc,first,'z'";

class DialogValuesTest : public qvtest::DialogsTest {
protected:
  std::string shared() const { return qvtest::readText(user() / "dialogs.ini"); }
  // Dialog ab of f with name and note set and flag on, saved to "dialogs.ini" (place 1) or f.ini.
  void saveAb(const std::string& name, const std::string& note, int place) {
    runDialog("f", "ab", [&](ads_hdlg dialog) {
      ads_set_tile(dialog, "name", name.c_str());
      ads_set_tile(dialog, "note", note.c_str());
      ads_set_tile(dialog, "flag", "1");
      qv::saveDialogValues(dialog, "f", "ab", place);
    });
  }
  // A fresh dialog (ab unless named) after a restore from where: "<answer>:<name>|<note>|<flag>",
  // or "<answer>:<name>" for abc.
  std::string restored(int where, const char* dialog = "ab") {
    int set = -1;
    const sim::ShownDialog shown = runDialog("f", dialog, [&](ads_hdlg hdlg) {
      set = qv::restoreDialogValues(hdlg, "f", dialog, where);
    });
    const std::string name = std::to_string(set) + ":" + qvtest::valueAtStart(shown, "name");
    return dialog != std::string("ab") ? name
                                       : name + "|" + qvtest::valueAtStart(shown, "note") + "|" +
                                             qvtest::valueAtStart(shown, "flag");
  }
};

TEST_F(DialogValuesTest, GivesAFreshDialogBackEveryValueWhole) {
  const std::string name = "a, b 'q' \"d\"  ";
  const std::string note(5000, 'n'); // longer than the host's usual tile limit
  const std::string all = "1:" + name + "|" + note + "|1";
  const int cases[][2] = {{1, 1}, {1, 0}, {0, 2}, {0, 0}, {2, 2}}; // place, where
  for (const auto& each : cases) {
    std::filesystem::remove(user() / "dialogs.ini");
    std::filesystem::remove(user() / "f.ini");
    saveAb(name, note, each[0]);
    EXPECT_EQ(restored(each[1]), all) << each[0] << each[1];
    EXPECT_EQ(restored(each[0] == 1 ? 2 : 1), "0:||"); // nothing in the other file
  }
  EXPECT_EQ(qvtest::readText(user() / "f.ini"),
            "f,ab,name,'" + name + "'\r\nf,ab,note,'" + note + "'\r\nf,ab,flag,'1'\r\n");
  saveAb("shared", "", 1); // both files: the DCL's own wins
  EXPECT_EQ(restored(0), all);
  EXPECT_EQ(restored(1), "1:shared||1");
}

TEST_F(DialogValuesTest, KeepsTheRecordsOfOtherDialogsInTheirOrderAndReadsOneStoredValue) {
  qvtest::writeText(user() / "dialogs.ini", "f,ab,gone,'old'\r\n" + kOthers);
  saveAb("new", "", 1);
  EXPECT_EQ(shared(), "f,ab,name,'new'\r\nf,ab,note,''\r\nf,ab,flag,'1'\r\n" + kOthers + "\r\n");
  EXPECT_EQ(restored(1, "abc"), "1:longer name");
  // One tile: its records replaced in place, or the record appended.
  qvtest::writeText(user() / "dialogs.ini", "f,ab,name,'old'\r\nf,ab,namex,'k'\r\ng,h,i,'j'\r\n");
  runDialog("f", "ab", [](ads_hdlg dialog) {
    ads_set_tile(dialog, "name", "new");
    qv::saveTileValue(dialog, "f", "ab", "name", 1);
    qv::saveTileValue(dialog, "f", "ab", "gone", 1); // no such tile: its stored value, none
  });
  EXPECT_EQ(shared(), "f,ab,name,'new'\r\nf,ab,namex,'k'\r\ng,h,i,'j'\r\nf,ab,gone,''\r\n");
  qvtest::writeText(user() / "dialogs.ini", "f,ab,name,'shared, one'\r\n" + kOthers);
  qvtest::writeText(user() / "f.ini", "f,ab,name,'own'\nf,ab,note,'a'b'\n");
  qv::readStoredTileValue("f", "ab", 0, "name", nullptr, 0); // learns the folders
  sim::evalLisp("(setq usrdir$ nil)");                       // which serve from now on
  const struct {
    int where;
    const char* dialog;
    const char* key;
    size_t size;
    const char* answer; // found:output
  } cases[] = {
      {0, "ab", "name", 64, "1:own"}, {1, "ab", "name", 64, "1:shared, one"},
      {2, "ab", "note", 64, "1:a'b"}, {1, "ab", "note", 64, "0:"},
      {1, "ab", "name", 4, "1:sha"},  {1, "ab", "name", 0, "1:#"},
      {1, "abc", "first", 64, "1:z"}, {1, "a", "b,name", 64, "0:"},
  };
  for (const auto& each : cases) {
    char output[64] = "#";
    const int found =
        qv::readStoredTileValue("f", each.dialog, each.where, each.key, output, each.size);
    EXPECT_EQ(std::to_string(found) + ":" + output, each.answer) << each.key << each.where;
  }
}

TEST_F(DialogValuesTest, DoesNothingWithoutFoldersFileOrDialog) {
  // What breaks (a number in usrdir$ is released unread; usrdir$ has no f.dcl), and the dialog.
  const char* const cases[][2] = {{"(setq usrdir$ nil)", "ab"},
                                  {"(setq lspdir$ nil)", "ab"},
                                  {"(setq usrdir$ 4.5)", "ab"},
                                  {"(setq lspdir$ usrdir$)", "ab"},
                                  {"(setq lspdir$ lspdir$)", "zz"}};
  for (const auto& each : cases) {
    resetSession();
    sim::evalLisp(each[0]);
    runDialog("f", "ab", [&each](ads_hdlg dialog) {
      qv::saveDialogValues(dialog, "f", each[1], 0);
      qv::saveDialogValues(dialog, "f", each[1], 1);
    });
    EXPECT_FALSE(std::filesystem::exists(user() / "dialogs.ini")) << each[0];
    EXPECT_FALSE(std::filesystem::exists(user() / "f.ini")) << each[0];
  }
}

TEST_F(DialogValuesTest, EnablesTilesAndCopiesValuesThroughARecord) {
  qv::QvUniRecord record;
  runDialog("f", "ab", [&record](ads_hdlg dialog) {
    ads_mode_tile(dialog, "name", MODE_DISABLE);
    ads_mode_tile(dialog, "accept", MODE_DISABLE);
    qv::enableDialogTiles(dialog, "f", "ab");
    ads_set_tile(dialog, "name", "kept, 'whole'");
    ads_set_tile(dialog, "flag", "1");
    qv::saveDialogValuesToRecord(dialog, "f", "AB", &record);
    qv::saveDialogValuesToRecord(dialog, "f", "AB", nullptr);
  });
  const sim::ShownDialog enabled = sim::shownDialogs().back();
  EXPECT_TRUE(enabled.atStart[0].enabled);
  EXPECT_FALSE(enabled.atStart[3].enabled); // "accept" has no key line of its own
  const sim::ShownDialog shown = runDialog("f", "ab", [&record](ads_hdlg dialog) {
    qv::restoreDialogValuesFromRecord(dialog, nullptr, nullptr, &record);
  });
  EXPECT_EQ(qvtest::valueAtStart(shown, "name") + qvtest::valueAtStart(shown, "flag"),
            "kept, 'whole'1");
}

TEST_F(DialogValuesTest, AKilledSaveLeavesTheOldFileOrTheNew) {
  QV_SKIP_WITHOUT_FORK();
  std::string old;
  for (int record = 0; record < 2000; ++record) {
    old += "g,d" + std::to_string(record) + ",k,'v'\r\n";
  }
  qvtest::writeText(user() / "dialogs.ini", old + kOthers);
  const std::string saved = "f,ab,name,'new'\r\nf,ab,note,'n'\r\nf,ab,flag,'1'\r\n" + old + kOthers;
  const auto oldOrNew = [&] {
    const std::string now = shared();
    ASSERT_TRUE(now == old + kOthers || now == saved + "\r\n") << now.size();
  };
  // Some kills land before the file is replaced.
  EXPECT_GT(qvtest::killDuringWrites([this] { saveAb("new", "n", 1); }, oldOrNew, 30), 0);
}

TEST_F(DialogValuesTest, FailuresLeaveTheOtherRecordsAndNothingOpen) {
  // Every operation on dialog ab, a file of other dialogs' records in place. Only the library's
  // allocations may fail.
  const std::string dcl = (lisp() / "f.dcl").string();
  const auto everyOperation = [&] {
    {
      qvtest::UnfailingAllocations setup;
      qvtest::writeText(user() / "dialogs.ini", kOthers);
    }
    int id = -1;
    ads_hdlg dialog = BAD_DIALOG;
    ads_load_dialog(dcl.c_str(), &id);
    ads_new_dialog("ab", id, NULLCB, &dialog);
    ads_set_tile(dialog, "name", "new");
    qv::saveDialogValues(dialog, "f", "ab", 1);
    qv::saveTileValue(dialog, "f", "ab", "note", 1);
    qv::restoreDialogValues(dialog, "f", "ab", 0);
    qv::enableDialogTiles(dialog, "f", "ab");
    qv::QvUniRecord record;
    qv::saveDialogValuesToRecord(dialog, "f", "ab", &record);
    char value[8];
    qv::readStoredTileValue("f", "ab", 0, "name", value, sizeof value);
    std::vector<qv::TileValue> values;
    qv::readDialogValues("f", "ab", 0, values);
    qv::saveDialogValueList("f", "ab", values, 1);
    int status = 0;
    ads_start_dialog(dialog, &status);
    ads_unload_dialog(id);
    qvtest::UnfailingAllocations checking;
    EXPECT_NE(shared().find(kOthers), std::string::npos);
  };
  for (const char* call : {"fopen", "fread", "fwrite", "fclose", "MoveFileExA", "acedGetSym",
                           "ads_get_tile", "ads_set_tile", "ads_mode_tile"}) {
    qvtest::forEachFailure(call, [&](int) { everyOperation(); });
  }
  qvtest::forEachAllocationFailure([&](int) { everyOperation(); });
}

} // namespace
