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
  for (size_t body = 0; body < bodies.size(); ++body) {
    text += body == 0 ? "" : "|";
    for (size_t key = 0; key < bodies[body].size(); ++key) {
      text += (key == 0 ? "" : ",") + bodies[body][key];
    }
  }
  return text;
}

TEST_F(TileScanTest, FindsTheKeysOfEachHeaderOfTheDialog) {
  const struct {
    const char* text;
    const char* dialog;
    bool ignoreCase;
    const char* keys;
  } cases[] = {
      {qvtest::kTestDcl, "ab", false, "name,note,flag"},
      {qvtest::kTestDcl, "abc", false, "name"}, // "first" stands on the first body line
      {qvtest::kTestDcl, "AB", false, ""},
      {qvtest::kTestDcl, "AB", true, "name,note,flag"},
      {"d : dialog { : edit_box { key = \"one\"; }\n\n: text { key = \"two\"; }\n}\n", "d", false,
       "two"},
      {"\td : dialog {\n  label = \"x\";\n  : text { key = \"k\"; }\n}\n", "d", false, ""},
      {"  d  :dialog{\r\nlabel = \"x\";\r\n : button { label = \"Go\"; key = \"go\"; }\r\n}\r\n",
       "d", false, "Go"},
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

TEST_F(TileScanTest, ReadsLinesWhole) {
  const std::string label(300, 'w');
  qvtest::writeText(lisp() / "long.dcl", "d : dialog {\n\n : text { label = \"" + label +
                                             "\"; }\n : text { value = \"" + label +
                                             "\"; key = \"far\"; }\n}\n");
  EXPECT_EQ(scanned((lisp() / "long.dcl").string(), "d", false), label); // the label rule
}

} // namespace
