// The drawing storage: key paths, text entries, folders, the mends of its walk and writes, and
// every host failure it meets.
#include <cstring>
#include <string>
#include <vector>

#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbxrecrd.h"
#include "platform/sim.h"
#include "records/drawing_storage.h"
#include "testing/failing_new.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class DrawingStorageTest : public qvtest::HostTest {
protected:
  std::string readText(const char* path, const char* root = nullptr, int size = 512) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
    qv::readStorageText(path, buffer.data(), size, root);
    return buffer.data();
  }
  // The names of a folder's entries, sorted, and whether each is a folder ("name/").
  std::vector<std::string> entries(const char* folderPath, const char* root = nullptr) {
    std::vector<std::string> names;
    AcDbDictionary* folder = qv::openStorageFolder(folderPath, root, 1);
    if (folder == nullptr) {
      return {"<none>"};
    }
    AcDbDictionaryIterator* it = folder->newIterator();
    for (; it != nullptr && !it->done(); it->next()) {
      AcDbObject* object = nullptr;
      EXPECT_EQ(it->getObject(object, AcDb::kForRead), Acad::eOk);
      names.push_back(std::string(it->name()) + (AcDbDictionary::cast(object) ? "/" : ""));
      object->close();
    }
    delete it;
    folder->close();
    return names;
  }
  // The root names in the named-object dictionary.
  std::vector<std::string> roots() {
    std::vector<std::string> names;
    AcDbDictionary* named = nullptr;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(
                  named, AcDb::kForRead),
              Acad::eOk);
    AcDbDictionaryIterator* it = named->newIterator();
    for (; !it->done(); it->next()) {
      names.push_back(it->name());
    }
    delete it;
    named->close();
    return names;
  }
  std::vector<std::string> listed(const char* path, const char* root = nullptr) {
    std::vector<std::string> names;
    resbuf* list = qv::listStorageFolders(path, root);
    for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
      EXPECT_EQ(item->restype, RTSTR);
      names.push_back(item->resval.rstring);
    }
    acutRelRb(list);
    return names;
  }
};

using Names = std::vector<std::string>;

struct PathCase {
  const char* written;
  const char* readAs;
  const char* folder; // folder path holding the entry ("" for the root)
  Names folderEntries;
};

TEST_F(DrawingStorageTest, KeyPathsOfEveryShapeAddressTheirEntry) {
  const PathCase cases[] = {
      {"units", "UNITS", "", {"units"}},
      {"A\\B\\name", "a\\b\\NAME", "A\\B\\", {"name"}},
      {"\\\\C\\\\D\\\\leaf", "C\\D\\leaf", "C\\D\\", {"leaf"}},
      {"E\\", "E\\", "E\\", Names{}}, // an empty entry name stores nothing
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.written);
    qv::writeStorageText(c.written, "value", nullptr);
    EXPECT_EQ(entries(c.folder), c.folderEntries);
    if (!c.folderEntries.empty()) {
      EXPECT_EQ(readText(c.readAs), "value");
    }
  }
  EXPECT_EQ(entries(""), (Names{"A/", "C/", "E/", "units"}));
  EXPECT_EQ(entries("A\\"), Names{"B/"});
  EXPECT_EQ(roots(), Names{"QVAN_XML"});
  EXPECT_EQ(sim::takeCommandLine(), "");
}

TEST_F(DrawingStorageTest, ReadsNeitherCreateFoldersNorFindMissingOnes) {
  EXPECT_EQ(readText("X\\Y\\z"), "");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 1: dictionary entry X\\Y\\z not found");
  EXPECT_EQ(qv::openStorageFolder("X\\z", nullptr, 1), nullptr);
  EXPECT_EQ(qv::readStorageEntry("X\\Y\\z", nullptr), nullptr);
  EXPECT_EQ(roots(), Names{});

  qv::writeStorageText("X\\present", "here", nullptr);
  EXPECT_EQ(readText("X\\absent"), "");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 1: dictionary entry X\\absent not found");
  EXPECT_EQ(entries("X\\"), Names{"present"});
}

TEST_F(DrawingStorageTest, WarnsWhenTheEntryHoldsNoText) {
  resbuf* number = acutBuildList(40, 12.5, 0);
  qv::writeStorageEntry("F\\number", number, nullptr);
  acutRelRb(number);
  EXPECT_EQ(readText("F\\number"), "");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 2: dictionary entry F\\number not found");
  // A folder where an entry is expected reads as missing.
  qv::writeStorageText("F\\G\\x", "x", nullptr);
  EXPECT_EQ(readText("F\\G"), "");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 1: dictionary entry F\\G not found");
}

TEST_F(DrawingStorageTest, AnEntryInTheWayOfAFolderStaysAndStopsTheWalk) {
  qv::writeStorageText("W", "entry", nullptr);
  qv::writeStorageText("W\\inner", "lost", nullptr);
  EXPECT_EQ(qv::openStorageFolder("W\\inner", nullptr, 0), nullptr);
  EXPECT_EQ(qv::openStorageFolder("W\\inner", nullptr, 1), nullptr);
  EXPECT_EQ(qv::removeStorageEntry("W\\inner", nullptr), 0);
  EXPECT_EQ(listed("W"), Names{});
  EXPECT_EQ(readText("W"), "entry");
  EXPECT_EQ(entries(""), Names{"W"});
}

struct CutCase {
  size_t length;
  int size;
  size_t kept;
};

TEST_F(DrawingStorageTest, CutsTextsAtTheBufferSize) {
  const CutCase cases[] = {
      {300, 255, 254}, {10, 11, 10}, {10, 10, 9}, {10, 1, 0}, {0, 5, 0},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " into " << c.size);
    std::string text;
    for (size_t i = 0; i < c.length; ++i) {
      text += static_cast<char>('a' + i % 26);
    }
    qv::writeStorageText("cut", text.c_str(), nullptr);
    EXPECT_EQ(readText("cut", nullptr, c.size), text.substr(0, c.kept));
  }
  // Nothing goes into a buffer of no size.
  char buffer[2] = {'#', '#'};
  qv::readStorageText("cut", buffer, 0, nullptr);
  qv::readStorageText("cut", buffer, -3, nullptr);
  EXPECT_EQ(buffer[0], '#');
  qv::readStorageText("cut", nullptr, 10, nullptr);
  EXPECT_EQ(sim::takeCommandLine(), "");
}

TEST_F(DrawingStorageTest, AWriteReplacesTheEntryOfThatPathAndARemoveKeepsItsFolder) {
  qv::writeStorageText("S\\twice", "first", nullptr);
  qv::writeStorageText("S\\TWICE", "second", nullptr);
  EXPECT_EQ(entries("S\\"), Names{"twice"});
  EXPECT_EQ(readText("s\\twice"), "second");
  qv::writeStorageText("S\\twice", nullptr, nullptr);
  EXPECT_EQ(readText("S\\twice"), "");
  EXPECT_EQ(sim::takeCommandLine(), "");
  EXPECT_EQ(qv::removeStorageEntry("s\\TWICE", nullptr), 1);
  EXPECT_EQ(qv::removeStorageEntry("S\\twice", nullptr), 0);
  EXPECT_EQ(entries("S\\"), Names{});
  EXPECT_EQ(entries(""), Names{"S/"});
}

TEST_F(DrawingStorageTest, ListsFoldersOnlyWithOrWithoutTheTrailingBackslash) {
  qv::writeStorageText("L\\one\\x", "1", nullptr);
  qv::writeStorageText("L\\two\\y", "2", nullptr);
  qv::writeStorageText("L\\entry", "3", nullptr);
  EXPECT_EQ(listed("L"), (Names{"one", "two"}));
  EXPECT_EQ(listed("L\\"), (Names{"one", "two"}));
  EXPECT_EQ(listed("l\\ONE"), Names{});
  EXPECT_EQ(listed("missing"), Names{});
  EXPECT_EQ(listed(""), Names{});
  EXPECT_EQ(qv::listStorageFolders(nullptr, nullptr), nullptr);
}

TEST_F(DrawingStorageTest, UsesTheCallersRootAtEveryStep) {
  qv::writeStorageText("P\\q", "mine", "MY_ROOT");
  EXPECT_EQ(roots(), Names{"MY_ROOT"});
  EXPECT_EQ(readText("P\\q", "my_root"), "mine");
  EXPECT_EQ(listed("P", "MY_ROOT"), Names{});
  EXPECT_EQ(listed("\\", "MY_ROOT"), Names{"P"});
  EXPECT_EQ(readText("P\\q"), "");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 1: dictionary entry P\\q not found");
  EXPECT_EQ(qv::removeStorageEntry("P\\q", nullptr), 0);
  EXPECT_EQ(roots(), (Names{"MY_ROOT", "QVAN_XML"})); // the remove opens its folder for write
  EXPECT_EQ(qv::removeStorageEntry("P\\q", "MY_ROOT"), 1);
  EXPECT_EQ(entries("P\\", "MY_ROOT"), Names{});
}

TEST_F(DrawingStorageTest, KeepsListsOfEveryKindOfValue) {
  ads_point point = {1.0, 2.0, 3.0};
  resbuf* list = acutBuildList(1, "text", 10, point, 40, 0.25, 70, 3, 90, int32_t{-7}, 0);
  qv::writeStorageEntry("V\\all", list, nullptr);
  resbuf* back = qv::readStorageEntry("V\\all", nullptr);
  const resbuf* a = list;
  const resbuf* b = back;
  for (; a != nullptr && b != nullptr; a = a->rbnext, b = b->rbnext) {
    ASSERT_EQ(a->restype, b->restype);
  }
  EXPECT_TRUE(a == nullptr && b == nullptr);
  ASSERT_NE(back, nullptr);
  EXPECT_STREQ(back->resval.rstring, "text");
  EXPECT_EQ(back->rbnext->resval.rpoint[2], 3.0);
  acutRelRb(list);
  acutRelRb(back);
}

TEST_F(DrawingStorageTest, ARefusedListAlertsAndKeepsTheStoredData) {
  qv::writeStorageText("K\\kept", "old", nullptr);
  resbuf* bad = acutBuildList(RTSHORT, 5, 0); // not a group code an Xrecord holds
  qv::writeStorageEntry("K\\kept", bad, nullptr);
  acutRelRb(bad);
  sim::failCall("AcDbXrecord::setFromRbChain");
  qv::writeStorageText("K\\kept", "new", nullptr);
  EXPECT_EQ(sim::alerts(), (Names{"Failed!", "Failed!"}));
  EXPECT_EQ(readText("K\\kept"), "old");
}

struct SplitCase {
  const char* path;
  size_t folderSize, entrySize;
  const char* folder;
  const char* entry;
  int fitted;
};

TEST_F(DrawingStorageTest, SplitsKeyPathsAtTheLastBackslash) {
  const SplitCase cases[] = {
      {"A\\B\\name", 16, 16, "A\\B", "name", 1},
      {"name", 16, 16, "", "name", 1},
      {"\\name", 16, 16, "", "name", 1},
      {"A\\", 16, 16, "A", "", 1},
      {"", 16, 16, "", "", 1},
      {"AB\\CD\\ef", 3, 16, "AB", "ef", 0},
      {"AB\\long", 16, 3, "AB", "lo", 0},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    char folder[16];
    char entry[16];
    EXPECT_EQ(qv::splitKeyPath(c.path, folder, c.folderSize, entry, c.entrySize), c.fitted);
    EXPECT_STREQ(folder, c.folder);
    EXPECT_STREQ(entry, c.entry);
  }
  char entry[8];
  EXPECT_EQ(qv::splitKeyPath("X\\y", nullptr, 0, entry, sizeof entry), 1);
  EXPECT_STREQ(entry, "y");
}

TEST_F(DrawingStorageTest, EveryHostFailureLeavesNothingOpenOrLeaked) {
  const char* calls[] = {"AcDbDatabase::getNamedObjectsDictionary",
                         "AcDbDictionary::getAt",
                         "AcDbDictionary::setAt",
                         "AcDbDictionary::remove",
                         "AcDbDictionary::newIterator",
                         "AcDbDictionaryIterator::getObject",
                         "AcDbXrecord::rbChain",
                         "AcDbXrecord::setFromRbChain",
                         "acutNewRb",
                         "acad_malloc",
                         "acedAlert"};
  for (const char* call : calls) {
    SCOPED_TRACE(call);
    sim::reset();
    const int points = qvtest::forEachFailure(call, [&](int) {
      // Each run starts from a drawing of its own, so that every run meets the same calls.
      const int document = sim::openDocument("C:\\work\\sweep.dwg");
      ASSERT_NE(document, 0);
      qv::writeStorageText("T\\U\\text", "stored", nullptr);
      qv::writeStorageText("T\\entry", "other", "ROOT2");
      resbuf* bad = acutBuildList(RTSHORT, 1, 0);
      qv::writeStorageEntry("T\\refused", bad, nullptr);
      acutRelRb(bad);
      const std::string text = readText("T\\U\\text");
      resbuf* folders = qv::listStorageFolders("T", nullptr);
      const bool removed = qv::removeStorageEntry("T\\entry", "ROOT2") == 1;
      const bool nothingFailed = sim::unreachedFailures().size() == 1;
      if (nothingFailed) {
        EXPECT_EQ(text, "stored");
        ASSERT_NE(folders, nullptr);
        EXPECT_STREQ(folders->resval.rstring, "U");
        EXPECT_TRUE(removed);
      }
      acutRelRb(folders);
      sim::takeCommandLine();
      EXPECT_TRUE(sim::closeDocument(document));
    });
    EXPECT_GE(points, 1);
  }
}

// Whichever allocation fails, a write that makes folders and an Xrecord leaves each object it
// made in the drawing or deleted, and nothing open.
TEST_F(DrawingStorageTest, AWriteOutOfMemoryLeavesNothingItMadeBehind) {
  auto write = [&]() -> std::string {
    int document = 0;
    resbuf* list = nullptr;
    {
      const qvtest::UnfailingAllocations setup;
      document = sim::openDocument("C:\\work\\sweep.dwg");
      EXPECT_NE(acdbHostApplicationServices()->workingDatabase(), nullptr);
      list = acutBuildList(1, "listed", 70, 7, 0);
    }
    qv::writeStorageText("New\\Folders\\text", "stored", nullptr);
    qv::writeStorageEntry("Other\\Deep\\list", list, "ROOT2");
    const qvtest::UnfailingAllocations checking;
    acutRelRb(list);
    const std::string text = readText("New\\Folders\\text");
    sim::takeCommandLine();
    EXPECT_TRUE(sim::closeDocument(document));
    return text;
  };
  ASSERT_EQ(write(), "stored"); // and the stand-in's state for a document is made
  const int points = qvtest::forEachAllocationFailure([&](int) {
    const std::string text = write();
    EXPECT_TRUE(text.empty() || text == "stored") << text;
  });
  EXPECT_GT(points, 5);
}

} // namespace
