// .reg files in and out: regedit's files of both versions, written by hand and exported by
// others, and the registry written back as a file that loads to the same registry.
#include <filesystem>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

const std::string v5 = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string v4 = "REGEDIT4\r\n\r\n";
const char* const corpus = "/work/shared/corpus/reg/";

std::string utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

class RegFileTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the .reg files load into the stand-in's registry");
  }
  // The value's bytes through the registry calls; "<missing>" when the key or value is not there.
  static std::string value(HKEY root, const char* path, const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return "<missing>";
    }
    DWORD size = 0;
    std::string data = "<missing>";
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
      data.assign(size, '\0');
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
    }
    RegCloseKey(key);
    return data;
  }
  static bool exists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }
  static std::string sz(const std::string& text) {
    return std::string(text.data(), text.size() + 1);
  }
};

TEST_F(RegFileTest, HandWrittenValuesLoadAsRegeditLoadsThem) {
  struct Case {
    const char* label;
    std::string file; // the body after the header and a key line
    bool unicode;     // version 5 header
    const char* name;
    DWORD type;
    std::string data;
  } cases[] = {
      {"plain text", "\"A\"=\"x y\"", true, "A", REG_SZ, sz("x y")},
      {"escapes", "\"A\"=\"C:\\\\dir\\\\ \\\"q\\\"\"", true, "A", REG_SZ, sz("C:\\dir\\ \"q\"")},
      {"escaped name", "\"a\\\"b\"=\"v\"", true, "a\"b", REG_SZ, sz("v")},
      {"default value", "@=\"d\"", true, "", REG_SZ, sz("d")},
      {"empty text", "\"A\"=\"\"", true, "A", REG_SZ, sz("")},
      {"indented, spaces round =", "   \"A\" = \"v\"", true, "A", REG_SZ, sz("v")},
      {"dword", "\"A\"=dword:0000002b", true, "A", REG_DWORD, std::string("\x2b\0\0\0", 4)},
      {"short dword upper case", "\"A\"=DWORD:FF", true, "A", REG_DWORD,
       std::string("\xff\0\0\0", 4)},
      {"binary", "\"A\"=hex:00,ff,10", true, "A", REG_BINARY, std::string("\0\xff\x10", 3)},
      {"empty binary", "\"A\"=hex:", true, "A", REG_BINARY, ""},
      {"continued lines", "\"A\"=hex:01,02,\\\r\n  03,\\\r\n  04", true, "A", REG_BINARY,
       "\x01\x02\x03\x04"},
      {"expand text in UTF-16", "\"A\"=hex(2):25,00,41,00,25,00,00,00", true, "A", REG_EXPAND_SZ,
       sz("%A%")},
      {"expand text in ANSI", "\"A\"=hex(2):25,41,25,00", false, "A", REG_EXPAND_SZ, sz("%A%")},
      {"multi text", "\"A\"=hex(7):61,00,00,00,62,00,00,00,00,00", true, "A", REG_MULTI_SZ,
       std::string("a\0b\0\0", 5)},
      {"Unicode text to UTF-8", "\"A\"=hex(1):e9,00,00,00", true, "A", REG_SZ, sz("\xc3\xa9")},
      {"other type", "\"A\"=hex(b):01,00,00,00,00,00,00,00", true, "A", 11,
       std::string("\x01\0\0\0\0\0\0\0", 8)},
      {"text over lines", "\"A\"=\"one\r\ntwo\"", true, "A", REG_SZ, sz("one\r\ntwo")},
      {"later value wins", "\"A\"=\"1\"\r\n\"a\"=\"2\"", true, "A", REG_SZ, sz("2")},
      {"value deleted", "\"A\"=\"1\"\r\n\"A\"=-", true, "A", 0, "<missing>"},
      {"comment", "; \"A\"=\"1\"", true, "A", 0, "<missing>"},
  };
  for (const Case& c : cases) {
    sim::reset();
    const std::string text =
        (c.unicode ? v5 : v4) + "[HKEY_CURRENT_USER\\Software\\T]\r\n" + c.file + "\r\n";
    const sim::RegistryLoad loaded = sim::loadRegistry(text);
    EXPECT_TRUE(loaded.ok) << c.label;
    EXPECT_TRUE(loaded.problems.empty()) << c.label << ": " << loaded.problems.front();
    DWORD type = 0;
    EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\T", c.name, &type), c.data) << c.label;
    if (c.type != 0) {
      EXPECT_EQ(type, c.type) << c.label;
    }
  }
}

TEST_F(RegFileTest, LinesRegeditCannotReadAreSkippedAndReported) {
  const char* bad[] = {
      "\"A\"=dword:123456789", "\"A\"=hex:1g", "\"A\"=hex(zz):00",
      "\"A\"=nonsense",        "\"A\"\"v\"",   "A=\"v\"",
      "\"A\"=\"v\" more",
  };
  for (const char* line : bad) {
    sim::reset();
    const sim::RegistryLoad loaded =
        sim::loadRegistry(v5 + "[HKEY_CURRENT_USER\\T]\r\n" + line + "\r\n\"B\"=\"after\"\r\n");
    EXPECT_TRUE(loaded.ok) << line;
    EXPECT_EQ(loaded.problems.size(), 1u) << line;
    EXPECT_EQ(value(HKEY_CURRENT_USER, "T", "A"), "<missing>") << line;
    EXPECT_EQ(value(HKEY_CURRENT_USER, "T", "B"), sz("after")) << line;
  }
}

TEST_F(RegFileTest, KeysAreCreatedDeletedAndUnknownRootsSkipped) {
  ASSERT_TRUE(sim::loadRegistry(v4 + "[HKEY_LOCAL_MACHINE\\A\\B\\C]\r\n\"x\"=\"1\"\r\n").ok);
  const sim::RegistryLoad loaded = sim::loadRegistry(v5 + "[-HKEY_LOCAL_MACHINE\\a\\b]\r\n"
                                                          "[-HKEY_LOCAL_MACHINE\\Never\\There]\r\n"
                                                          "[HKEY_NOWHERE\\X]\r\n\"y\"=\"2\"\r\n"
                                                          "[HKEY_USERS\\.DEFAULT\\K]\r\n");
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.problems.size(), 1u); // the unknown root; its value goes with it
  EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, "A"));
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, "A\\B"));
  EXPECT_TRUE(exists(HKEY_USERS, ".default\\k"));
}

TEST_F(RegFileTest, AFileWithoutTheHeaderLoadsNothing) {
  for (const std::string& text :
       {std::string("[HKEY_CURRENT_USER\\T]\r\n\"A\"=\"1\"\r\n"), std::string(),
        std::string("Windows Registry Editor Version 4.00\r\n[HKEY_CURRENT_USER\\T]\r\n")}) {
    const sim::RegistryLoad loaded = sim::loadRegistry(text);
    EXPECT_FALSE(loaded.ok);
    EXPECT_FALSE(exists(HKEY_CURRENT_USER, "T"));
  }
  EXPECT_TRUE(sim::loadRegistry(utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                      "[HKEY_CURRENT_USER\\T]\r\n\"A\"=\"1\"\r\n"))
                  .ok);
  EXPECT_EQ(value(HKEY_CURRENT_USER, "T", "A"), sz("1"));
}

TEST_F(RegFileTest, TheRegistryWrittenOutLoadsBackTheSame) {
  ASSERT_TRUE(sim::loadRegistry(v5 +
                                "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                                "@=\"d\"\r\n\"Text\"=\"C:\\\\a \\\"b\\\" \xc3\xa9\"\r\n"
                                "\"N\"=dword:00000010\r\n"
                                "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,"
                                "0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,1e,1f,20\r\n"
                                "\"E\"=hex(2):41,00,00,00\r\n\"M\"=hex(7):61,00,00,00,00,00\r\n"
                                "\"Bare\"=hex(1):61,00\r\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=\"y\"\r\n")
                  .ok);
  for (bool unicode : {true, false}) {
    const std::string whole = sim::exportRegistry("", unicode);
    const std::string part = sim::exportRegistry("HKEY_CURRENT_USER\\software\\t", unicode);
    EXPECT_NE(part.find(unicode
                            ? std::string("H\0K\0E\0Y\0_\0C\0U\0R\0R\0E\0N\0T\0_\0U\0S\0E\0R\0\\"
                                          "\0S\0o\0f\0t\0w\0a\0r\0e\0\\\0T\0]",
                                          58)
                            : std::string("[HKEY_CURRENT_USER\\Software\\T]")),
              std::string::npos);
    sim::reset();
    const sim::RegistryLoad loaded = sim::loadRegistry(whole);
    EXPECT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_EQ(sim::exportRegistry("", unicode), whole);
    EXPECT_EQ(sim::exportRegistry("HKEY_CURRENT_USER\\Software\\T", unicode), part);
  }
  const std::string text = sim::exportRegistry("HKEY_LOCAL_MACHINE\\Software\\Other", false);
  EXPECT_EQ(text, v4 + "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=\"y\"\r\n\r\n");
  EXPECT_EQ(sim::exportRegistry("HKEY_LOCAL_MACHINE\\Missing"), "");
  // Saved and loaded through a file, as a console keeps it between runs.
  ASSERT_TRUE(sim::saveRegistryFile(tempPath("registry.reg")));
  const std::string before = sim::exportRegistry();
  sim::reset();
  EXPECT_TRUE(sim::loadRegistryFile(tempPath("registry.reg")).ok);
  EXPECT_EQ(sim::exportRegistry(), before);
  EXPECT_FALSE(sim::loadRegistryFile(tempPath("missing.reg")).ok);
}

// Real exports by others: every key, deletion and value loads as regedit would load it.
TEST_F(RegFileTest, ExportsFoundInTheWildLoadWhole) {
  if (!std::filesystem::exists(corpus)) {
    GTEST_SKIP() << "no corpus of .reg files here";
  }
  auto load = [](const char* name) {
    const sim::RegistryLoad loaded = sim::loadRegistryFile(std::string(corpus) + name);
    EXPECT_TRUE(loaded.ok) << name;
    EXPECT_TRUE(loaded.problems.empty()) << name << ": " << loaded.problems.front();
  };
  const char* clsid = "CLSID\\{51EEE242-AD87-11d3-9C1E-0090278BBD99}";
  load("GvimExt.reg");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, clsid, nullptr), sz("Vim Shell Extension"));
  EXPECT_EQ(value(HKEY_CLASSES_ROOT,
                  "clsid\\{51eee242-ad87-11d3-9c1e-0090278bbd99}\\InProcServer32",
                  "ThreadingModel"),
            sz("Apartment"));
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers\\gvim", ""),
            sz("{51EEE242-AD87-11d3-9C1E-0090278BBD99}"));
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\Vim\\Gvim", "path"), sz("gvim.exe"));

  sim::reset();
  const char* bag = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FolderDescriptions\\"
                    "{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}\\PropertyBag";
  ASSERT_TRUE(sim::loadRegistry(v5 + "[HKEY_LOCAL_MACHINE\\" + bag +
                                "]\r\n\"ThisPCPolicy\"=\"Hide\"\r\n\"Other\"=\"kept\"\r\n")
                  .ok);
  load("explorer_restore.reg");
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, bag, "ThisPCPolicy"), "<missing>");
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, bag, "Other"), sz("kept"));
  EXPECT_TRUE(exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                         "MyComputer\\NameSpace\\{0DB7E03F-FC29-4DC6-9020-"
                                         "FF41B59E513A}"));

  sim::reset();
  ASSERT_TRUE(sim::loadRegistry(v4 + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\MikeKovarik\\Stale]\r\n").ok);
  load("rage-edit_test.reg");
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\MikeKovarik\\Stale"));
  const char* types = "SOFTWARE\\MikeKovarik\\rage-edit\\.get() and .has()\\Types";
  DWORD type = 0;
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, types, "ExpandableStringValue", &type),
            sz("Expandable string content"));
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, types, "MultiStringValue", &type),
            std::string("Line 1\0Line 2\0Line 3\0\0", 22));
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, types, "DwordValue"), std::string("\xd2\x04\0\0", 4));
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, types, "QwordValue", &type),
            std::string("\0\0\0\0\0\0\x04\xd2", 8));
  EXPECT_EQ(type, 11u);
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, types, "BigEndianDwordValue", &type), "\x12\x34\x56\x78");
  EXPECT_EQ(type, REG_DWORD_BIG_ENDIAN);
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "SOFTWARE\\MikeKovarik\\rage-edit\\.get() and .has()",
                  "UnicodeValue")
                .substr(0, 8),
            "\xd0\x9a\xd0\xbe\xd0\xb2\xd0\xb0"); // Cyrillic, in UTF-8
  EXPECT_TRUE(
      exists(HKEY_LOCAL_MACHINE,
             "SOFTWARE\\Wow6432Node\\MikeKovarik\\rage-edit\\.get() and .has()\\Subkey32bit"));

  sim::reset();
  load("tortoisesvn_multiline_test.reg");
  EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\TortoiseSVN", "hooks"),
            sz("post_commit_hook\r\nC:\\Users\\kaiye\\Desktop\\demo\r\n"
               "C:\\Users\\kaiye\\Desktop\\test.mp3\r\ntrue\r\nshow\r\n"));
  EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\TortoiseSVN", "CheckNewerWeek"),
            std::string("\x13\0\0\0", 4));
  EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\TortoiseSVN", "DiffProps"), sz(""));

  sim::reset();
  load("vscode_registry_test2.reg");
  EXPECT_EQ(value(HKEY_CURRENT_USER, "testkey", "a"), sz("\"ddd\""));
  EXPECT_EQ(value(HKEY_CURRENT_USER, "testkey", "multi"), std::string("<new>\0<new>\0\0", 13));
  EXPECT_EQ(value(HKEY_CURRENT_USER, "testkey", "whatsit12", &type), "BCDEFGHI");
  EXPECT_EQ(type, 0xfffffffu);
  EXPECT_EQ(value(HKEY_CURRENT_USER, "testkey\\test", "name2"),
            std::string("hello\0goodbye\0", 14));
  EXPECT_EQ(value(HKEY_CURRENT_USER, "testkey\\test1", ""), sz(""));

  sim::reset();
  load("win86emu_settings.reg");
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Yact", "LogFile", &type), sz("%temp%\\yact.log"));
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Yact", "Engine"),
            sz("U:\\DynamicTranslator\\Release\\dosbox_emu.dll"));
  EXPECT_EQ(
      value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Yact\\Compatibility\\Heroes3.exe", "NoRaiseException"),
      std::string("\x01\0\0\0", 4));

  // Every file goes out and back in unchanged.
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    sim::reset();
    load(entry.path().filename().string().c_str());
    const std::string once = sim::exportRegistry();
    sim::reset();
    EXPECT_TRUE(sim::loadRegistry(once).problems.empty()) << entry.path();
    EXPECT_EQ(sim::exportRegistry(), once) << entry.path();
  }
}

} // namespace
