// The DCL reader: definitions, references, prototypes of the file and of the base, the faults the
// host reports, and the DCL files people write.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/acad/adsdlg.h"
#include "platform/acad/internal/dcl_loader.h"
#include "platform/acad/internal/dcl_reader.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

using sim::detail::DclLibrary;
using sim::detail::DclText;
using sim::detail::DclTile;

class DclReaderTest : public qvtest::HostTest {};

// The text read, its includes ignored, with every definition checked as loading checks it.
bool readLibrary(const std::string& text, DclLibrary& library, std::string& error) {
  DclText parsed;
  if (!sim::detail::parseDcl(text, parsed, error)) {
    return false;
  }
  for (auto& definition : parsed.definitions) {
    library[definition.name] = definition;
  }
  return sim::detail::checkDclLibrary(library, error);
}

std::string keysOf(const DclTile& tile) {
  std::vector<const DclTile*> keyed;
  sim::detail::collectKeyedTiles(tile, keyed);
  std::string keys;
  for (const DclTile* each : keyed) {
    keys += (keys.empty() ? "" : ",") + *each->attribute("key");
  }
  return keys;
}

struct ReadCase {
  const char* text;
  const char* dialog;
  const char* keys; // the dialog's keyed tiles in order
};

TEST_F(DclReaderTest, ExpandsDialogsWithTheirPrototypesInFileOrder) {
  const ReadCase cases[] = {
      {"d : dialog { label = \"T\"; ok_cancel; }", "d", "accept,cancel"},
      {"d : dialog { : edit_box { key = \"v\"; } ok_only; }", "d", "v,accept"},
      {"d : dialog { ok_cancel_help_errtile; }", "d", "accept,cancel,help,error"},
      {"d : dialog { ok_cancel_help_info; }", "d", "accept,cancel,help,info"},
      {"d : dialog { : errtile { } spacer; : spacer_1 { } cancel_button; }", "d", "error,cancel"},
      // A prototype of the file, used before and after its definition.
      {"d : dialog { : b { key = \"x\"; } : b { key = \"y\"; } ok_button; }\n"
       "b : button { key = \"unset\"; width = 4; }",
       "d", "x,y,accept"},
      // A subassembly of the file, with its own tiles, referenced by name alone.
      {"pair : row { : toggle { key = \"a\"; } : toggle { key = \"b\"; } }\n"
       "d : dialog { key = \"top\"; pair; : boxed_column { pair; } ok_cancel; }",
       "d", "top,a,b,a,b,accept,cancel"},
      // Nested clusters, comments of both kinds, and a string with escapes.
      {"/* head */ d : dialog { // line\n : row { : column { : text { key = \"q\\\"t\"; } } }\n"
       " /* mid\n */ : radio_row { : radio_button { key = \"r1\"; } } ok_only; }",
       "d", "q\"t,r1,accept"},
      // A definition replaces the base's standard one of the same name.
      {"errtile : text { key = \"err\"; } d : dialog { errtile; ok_only; }", "d", "err,accept"},
      // Several bases: the leftmost one's attributes win.
      {"k1 : button { key = \"one\"; } k2 : button { key = \"two\"; label = \"L\"; }\n"
       "d : dialog { : k1 : k2 { } ok_only; }",
       "d", "one,accept"},
  };
  for (const ReadCase& each : cases) {
    DclLibrary library;
    std::string error;
    ASSERT_TRUE(readLibrary(each.text, library, error)) << each.text << "\n" << error;
    DclTile tile;
    ASSERT_TRUE(sim::detail::expandDcl(library, each.dialog, tile, error)) << error;
    EXPECT_EQ(tile.kind, "dialog");
    EXPECT_EQ(keysOf(tile), each.keys) << each.text;
  }
}

TEST_F(DclReaderTest, KeepsValuesAsWrittenAndTheLastSettingOfABody) {
  DclLibrary library;
  std::string error;
  ASSERT_TRUE(readLibrary("d : dialog { label = \"A\\tB\\nC\\\\\"; width = -12.5;\n"
                          "is_enabled = false; label = \"Last\"; width = 3; ok_only; }",
                          library, error))
      << error;
  DclTile tile;
  ASSERT_TRUE(sim::detail::expandDcl(library, "d", tile, error));
  EXPECT_EQ(*tile.attribute("label"), "Last");
  EXPECT_EQ(*tile.attribute("width"), "3");
  EXPECT_EQ(*tile.attribute("is_enabled"), "false");
  EXPECT_EQ(tile.attribute("key"), nullptr);

  ASSERT_TRUE(readLibrary("e : dialog { label = \"A\\tB\\nC\\\\\"; value = 0.25;\n"
                          "key = \"S\xe9lection\"; ok_only; }",
                          library, error));
  ASSERT_TRUE(sim::detail::expandDcl(library, "e", tile, error));
  EXPECT_EQ(*tile.attribute("label"), "A\tB\nC\\");
  EXPECT_EQ(*tile.attribute("key"), "S\xe9lection"); // the writer's code page, byte for byte
  EXPECT_EQ(*tile.attribute("value"), "0.25");
}

TEST_F(DclReaderTest, ReportsFaultsWithTheirLine) {
  const struct {
    const char* text;
    const char* error; // the start of the report
  } cases[] = {
      {"d : dialog { ok_only; ", "line 1: syntax error"},
      {"d : dialog {\n label = \"open\n; ok_only; }", "line 2: string not closed"},
      {"d : dialog { ok_only; } /* never closed", "line 1: comment not closed"},
      {"d : dialog {\n\n label = ; ok_only; }", "line 3: syntax error: a value expected"},
      {"d : dialog { label = \"x\" ok_only; }", "line 1: syntax error: ';' after a value"},
      {"d dialog { }", "line 1: syntax error: ':' after the name"},
      {"d : dialog { # }", "line 1: unexpected character '#'"},
      {"d : dialog { width = -; ok_only; }", "line 1: bad number"},
      {"@import \"x.dcl\"", "line 1: syntax error: @include expected"},
      {"\nd : dialog { : nosuch { } ok_only; }", "line 2: tile 'nosuch' is not defined"},
      {"a : b { } b : a { }", "line 1: tile 'a' is defined in terms of itself"},
      {"a : a { }", "line 1: tile 'a' is defined in terms of itself"},
  };
  for (const auto& each : cases) {
    DclLibrary library;
    std::string error;
    EXPECT_FALSE(readLibrary(each.text, library, error)) << each.text;
    EXPECT_EQ(error.rfind(each.error, 0), 0u) << each.text << "\n" << error;
  }
}

TEST_F(DclReaderTest, RefusesNestingAndGrowthBeyondAnyDialog) {
  std::string deep = "d : dialog { ok_only; ";
  for (int level = 0; level < 200; ++level) {
    deep += ": row { ";
  }
  DclLibrary library;
  std::string error;
  EXPECT_FALSE(readLibrary(deep, library, error));
  EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;

  // Each definition holds ten of the one before: 10^8 tiles if followed.
  std::string growth = "t0 : text { key = \"k\"; }\n";
  for (int level = 1; level <= 8; ++level) {
    growth += "t" + std::to_string(level) + " : column {";
    for (int copy = 0; copy < 10; ++copy) {
      growth += " t" + std::to_string(level - 1) + ";";
    }
    growth += " }\n";
  }
  library.clear();
  EXPECT_FALSE(readLibrary(growth + "d : dialog { t8; ok_only; }", library, error));
  EXPECT_NE(error.find("too many tiles"), std::string::npos) << error;
}

// ---- The DCL files people write

std::filesystem::path corpusFolder() {
  const char* root = std::getenv("QV_CORPUS");
  return std::filesystem::path(root != nullptr ? root : "/work/shared/corpus") / "dcl";
}

TEST_F(DclReaderTest, LoadsEveryCorpusFileAndOpensEachDialog) {
  const std::filesystem::path folder = corpusFolder();
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "no DCL corpus at " << folder;
  }
  int files = 0;
  int dialogs = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.path().extension() != ".dcl") {
      continue;
    }
    ++files;
    DclLibrary library;
    std::string error;
    ASSERT_TRUE(sim::detail::loadDclFile(entry.path().string(), library, error)) << error;
    int id = 0;
    ASSERT_EQ(ads_load_dialog(entry.path().string().c_str(), &id), RTNORM) << entry.path();
    for (const auto& [name, definition] : library) {
      DclTile tile;
      ASSERT_TRUE(sim::detail::expandDcl(library, name, tile, error)) << error;
      if (tile.kind != "dialog") {
        continue;
      }
      ++dialogs;
      ads_hdlg dialog = BAD_DIALOG;
      ASSERT_EQ(ads_new_dialog(name.c_str(), id, NULLCB, &dialog), RTNORM) << name;
      int status = 7;
      ASSERT_EQ(ads_start_dialog(dialog, &status), RTNORM) << name;
      EXPECT_EQ(status, DLGCANCEL) << name; // nobody answers: cancelled
    }
    EXPECT_EQ(ads_unload_dialog(id), RTNORM);
  }
  EXPECT_GE(files, 12);
  EXPECT_GE(dialogs, 12);
  EXPECT_TRUE(sim::dclErrors().empty());
}

TEST_F(DclReaderTest, CorpusKeysComeInFileOrderWithThoseOfPrototypes) {
  const std::filesystem::path folder = corpusFolder();
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "no DCL corpus at " << folder;
  }
  const struct {
    const char* file;
    const char* dialog;
    const char* keys;
  } cases[] = {
      // Its included base's errtile replaces the standard one; its own cancel button.
      {"errtile_dlg.dcl", "errtile_dlg", "edit,text,getint,cancel,error"},
      {"Rbloc.dcl", "rbloc",
       "titre,listeo,sel,attr,dyna,texte1,lister,pick,rech,texte2,echori,uniforme,fact_x,"
       "fact_y,fact_z,texte3,accept,cancel"},
      // Radio clusters in rows and columns, a key written without quotes, ok_cancel last.
      {"DrawPlanSetup.dcl", "DrawPlanSetup",
       "spacing48,spacing60,spacing72,spacingOther,spacing,postFascia,postSurface,"
       "postFasciaTrimline,postSurfaceTrimline,postFascia1100,s100,s200,s200X,s300,s300X,s320X,"
       "s350X,s500,woodAdapter,commercialLayers,residentialLayers,railToggle,centerLineToggle,"
       "postToggle,dimensionToggle,accept,cancel"},
  };
  for (const auto& each : cases) {
    DclLibrary library;
    std::string error;
    ASSERT_TRUE(sim::detail::loadDclFile((folder / each.file).string(), library, error)) << error;
    DclTile tile;
    ASSERT_TRUE(sim::detail::expandDcl(library, each.dialog, tile, error)) << error;
    EXPECT_EQ(keysOf(tile), each.keys) << each.file;
  }
}

} // namespace
