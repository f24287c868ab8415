// The dialog memory over the DCL files people write: every dialog of every corpus file opens, and
// the values of the tiles the scan finds come back into a fresh dialog.
#include <algorithm>
#include <map>
#include <regex>

#include "dialogs/dialog_values.h"
#include "dialogs/tile_scan.h"
#include "dialogs_fixture.h"

namespace {

class CorpusValuesTest : public qvtest::DialogsTest {};

const std::filesystem::path kCorpus =
    std::filesystem::path(QV_TEST_DATA_DIR) / "../../../shared/corpus/dcl";

TEST_F(CorpusValuesTest, EveryDialogGetsItsScannedValuesBack) {
  if (!std::filesystem::is_directory(kCorpus)) {
    GTEST_SKIP() << "no DCL corpus at " << kCorpus;
  }
  qvtest::putText("lspdir$", (kCorpus.string() + "/").c_str());
  const std::regex header(R"(^\s*([A-Za-z_]\w*)\s*:\s*dialog\b)", std::regex::multiline);
  int dialogs = 0;
  int restored = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
    const std::string dcl = entry.path().stem().string();
    const std::string text = qvtest::readText(entry.path());
    for (std::sregex_iterator at(text.begin(), text.end(), header), end; at != end; ++at) {
      const std::string name = (*at)[1];
      std::vector<qv::TileKeys> bodies;
      ASSERT_TRUE(qv::scanDialogTiles(entry.path().c_str(), name.c_str(), false, bodies));
      const qv::TileKeys keys = bodies.empty() ? qv::TileKeys() : bodies.back();
      std::map<std::string, std::string> set; // the keys that are tiles, with their values
      const auto work = [&](ads_hdlg dialog) {
        for (size_t i = 0; i < keys.size(); ++i) {
          const std::string value = "v, '" + std::to_string(i) + "' " + keys[i];
          if (ads_set_tile(dialog, keys[i].c_str(), value.c_str()) == RTNORM) {
            set[keys[i]] = value;
          }
        }
        qv::saveDialogValues(dialog, dcl.c_str(), name.c_str(), 0);
      };
      int id = -1;
      ASSERT_EQ(ads_load_dialog(entry.path().c_str(), &id), RTNORM) << entry.path();
      ads_hdlg dialog = BAD_DIALOG;
      ASSERT_EQ(ads_new_dialog(name.c_str(), id, NULLCB, &dialog), RTNORM) << dcl << " " << name;
      ++dialogs;
      work(dialog);
      int status = -7;
      ads_start_dialog(dialog, &status);
      ASSERT_EQ(ads_new_dialog(name.c_str(), id, NULLCB, &dialog), RTNORM);
      EXPECT_EQ(qv::restoreDialogValues(dialog, dcl.c_str(), name.c_str(), 2), set.empty() ? 0 : 1);
      ads_start_dialog(dialog, &status);
      ads_unload_dialog(id);
      // The scanned keys that are tiles come in the order of the dialog's keyed tiles.
      const sim::ShownDialog fresh = sim::shownDialogs().back();
      std::vector<std::string> shown;
      for (const sim::ShownTile& tile : fresh.atStart) {
        shown.push_back(tile.key);
        if (set.count(tile.key) != 0) {
          EXPECT_EQ(tile.value, set[tile.key]) << dcl << " " << name;
        }
      }
      auto next = shown.begin();
      for (const std::string& key : keys) {
        if (set.count(key) != 0) {
          next = std::find(next, shown.end(), key);
          EXPECT_NE(next, shown.end()) << dcl << " " << name << " " << key;
        }
      }
      restored += set.empty() ? 0 : 1;
    }
  }
  EXPECT_GE(dialogs, 12);
  EXPECT_GE(restored, 6);
}

} // namespace
