// The dialog memory over the DCL files people write: every dialog of every corpus file opens, and
// the values of the tiles the scan finds come back into a fresh dialog, in the tiles' order.
#include <algorithm>
#include <map>
#include <regex>

#include "dialogs/dialogs.h"
#include "dialogs_fixture.h"

namespace {

class CorpusValuesTest : public qvtest::DialogsTest {};

TEST_F(CorpusValuesTest, EveryDialogGetsItsScannedValuesBack) {
  dclFolder_ = std::filesystem::path(QV_TEST_DATA_DIR) / "../../../shared/corpus/dcl";
  if (!std::filesystem::is_directory(dclFolder_)) {
    GTEST_SKIP() << "no DCL corpus at " << dclFolder_;
  }
  qvtest::putText("lspdir$", (dclFolder_.string() + "/").c_str());
  const std::regex header(R"(^\s*([A-Za-z_]\w*)\s*:\s*dialog\b)", std::regex::multiline);
  int dialogs = 0;
  int restored = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dclFolder_)) {
    const std::string dcl = entry.path().stem().string();
    const std::string text = qvtest::readText(entry.path());
    for (std::sregex_iterator at(text.begin(), text.end(), header), end; at != end; ++at) {
      const std::string name = (*at)[1];
      std::vector<qv::TileKeys> bodies;
      ASSERT_TRUE(qv::scanDialogTiles(entry.path().string().c_str(), name.c_str(), false, bodies));
      const qv::TileKeys keys = bodies.empty() ? qv::TileKeys() : bodies.back();
      std::map<std::string, std::string> set; // the scanned keys that are tiles, and their values
      runDialog(dcl, name.c_str(), [&](ads_hdlg dialog) {
        for (const std::string& key : keys) {
          const std::string value = "v, '" + std::to_string(set.size()) + "' " + key;
          if (ads_set_tile(dialog, key.c_str(), value.c_str()) == RTNORM) {
            set[key] = value;
          }
        }
        qv::saveDialogValues(dialog, dcl.c_str(), name.c_str(), 0);
      });
      const sim::ShownDialog fresh = runDialog(dcl, name.c_str(), [&](ads_hdlg dialog) {
        EXPECT_EQ(qv::restoreDialogValues(dialog, dcl.c_str(), name.c_str(), 2),
                  set.empty() ? 0 : 1);
      });
      ++dialogs;
      restored += set.empty() ? 0 : 1;
      auto next = fresh.atStart.begin(); // the keys in file order, each with its value
      for (const std::string& key : keys) {
        if (set.count(key) != 0) {
          next =
              std::find_if(next, fresh.atStart.end(), [&](auto& tile) { return tile.key == key; });
          ASSERT_NE(next, fresh.atStart.end()) << dcl << " " << name << ": " << key << " misplaced";
          EXPECT_EQ(next->value, set[key]);
        }
      }
    }
  }
  EXPECT_GE(dialogs, 12);
  EXPECT_GE(restored, 6);
}

} // namespace
