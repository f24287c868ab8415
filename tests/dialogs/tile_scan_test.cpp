// The tile scan on DCL text: headers, bodies and keys as the dialog memory finds them.
#include "dialogs/tile_scan.h"

#include "dialogs_fixture.h"

namespace {

class TileScanTest : public qvtest::DialogsTest {};

// Each body's keys joined by ",", bodies by "|".
std::string scanned(const std::string& path, const char* dialog, bool ignoreCase) {
  std::vector<qv::TileKeys> bodies;
  if (!qv::scanDialogTiles(path.c_str(), dialog, ignoreCase, bodies)) {
    return "<unread>";
  }
  std::string text;
  for (const qv::TileKeys& keys : bodies) {
    text += &keys == &bodies.front() ? "" : "|";
    for (size_t key = 0; key < keys.size(); ++key) {
      text += (key == 0 ? "" : ",") + keys[key];
    }
  }
  return text;
}

TEST_F(TileScanTest, FindsTheKeysOfEachHeaderOfTheDialog) {
  const std::string label(300, 'w'); // lines are read whole
  const struct {
    std::string text;
    const char* dialog;
    bool ignoreCase;
    std::string keys;
  } cases[] = {
      {qvtest::kTestDcl, "ab", false, "name,note,flag"},
      {qvtest::kTestDcl, "abc", false, "name"}, // "first" stands on the first body line
      {qvtest::kTestDcl, "AB", false, ""},
      {qvtest::kTestDcl, "AB", true, "name,note,flag"},
      {"d : dialog { : edit_box { key = \"one\"; }\n\n: text { key = \"two\"; }\n}\n", "d", false,
       "two"},
      {"\td : dialog {\n  label = \"x\";\n  : text { key = \"k\"; }\n}\n", "d", false, ""},
      // A label before the key on one line is taken for the key.
      {"  d  :dialog{\r\nlabel = \"x\";\r\n : button { label = \"Go\"; key = \"go\"; }\r\n}\r\n",
       "d", false, "Go"},
      {"d : dialog {\n\n : text { label = \"" + label + "\"; key = \"far\"; }\n}\n", "d", false,
       label},
      // Two headers of one name, the second right after the first's body, then a third dialog.
      {"d : dialog {\n\n key = \"a\";\n}\nd : dialog {\n\n key = \"b\";\n"
       "e : dialog {\n\n key = \"c\";\n}\n",
       "d", false, "a|b"},
      {"d : dialog {\n\n key = \"a\"; /* key ends */ ;\n key = \"\";\n key = no; quote = \"x;\n",
       "d", false, "a"},
  };
  for (const auto& each : cases) {
    qvtest::writeText(lisp() / "scan.dcl", each.text);
    EXPECT_EQ(scanned((lisp() / "scan.dcl").string(), each.dialog, each.ignoreCase), each.keys)
        << each.text;
  }
  EXPECT_EQ(scanned((lisp() / "missing.dcl").string(), "d", false), "<unread>");
}

} // namespace
