// The file-selection data: getfile.xml's remembered folders and favourites, folder listings, and
// the places and recent-files lists of a drawing.
#include <cstring>
#include <filesystem>
#include <tuple>

#include "host/folders.h"
#include "platform/sim.h"
#include "records/record_test_util.h"
#include "records/table_file.h"
#include "settings/settings.h"
#include "testing/failing_new.h"
#include "testing/failure_sweep.h"

namespace {

class FileSelectionTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('C', tempDir().string());
    for (const char* folder : {"Jobs", "Data/Crd", "Data/Txt", "User", "Other", "List/A"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    for (const char* file : {"Jobs/Site.dwg", "Data/Crd/Road.crd", "Data/Txt/Notes.txt",
                             "List/b.TXT", "List/a.crd", "List/c.dat"}) {
      writeHost(file, "x");
    }
    qv::userFolder[0] = '\0';
    ASSERT_NE(sim::openDocument("C:\\Jobs\\Site.dwg"), 0);
    sim::evalLisp("(setq usrdir$ \"C:\\\\USER\\\\\")");
  }
  void TearDown() override {
    qv::userFolder[0] = '\0';
    HostTest::TearDown();
  }
  // getfile.xml as read back by the records reader.
  std::string getfile() {
    qv::IQvUniTable* table = qv::readTableFile(tempPath("User/getfile.xml").c_str());
    const std::string text = table != nullptr ? qvtest::describe(table->firstRecord()) : "none";
    if (table != nullptr) {
      table->releaseChain();
    }
    return text;
  }
};

TEST_F(FileSelectionTest, RemembersFoldersAndFavouritesWithoutRegardToCase) {
  EXPECT_EQ(qv::rememberFolder("C:\\Data\\Crd\\Road.crd"), 1);
  EXPECT_EQ(qv::setFavorite("C:\\Data\\", 0), 1);
  EXPECT_EQ(qv::rememberFolder("C:/Other/X.CRD"), 1);
  EXPECT_EQ(qv::rememberFolder("C:\\Data\\Notes"), 1);
  EXPECT_EQ(qv::setFavorite("c:\\data\\", 0), 1);
  EXPECT_EQ(qv::setFavorite("C:\\Other\\", 0), 1);
  EXPECT_EQ(qv::rememberFolder("C:\\Other\\Readme"), 1); // the empty id is kept as no id
  EXPECT_EQ(getfile(), "[id=crd path=C:/Other/][id=favorite path=C:\\Data\\][noid path=C:\\Other\\]"
                       "[id=favorite path=C:\\Other\\]");
  EXPECT_EQ(qv::setFavorite("C:\\DATA\\", 1), 1);
  EXPECT_EQ(qv::setFavorite("C:\\Missing\\", 1), 1);
  EXPECT_EQ(qv::setFavorite("C:\\Other\\", 1), 1);
  EXPECT_EQ(getfile(), "[id=crd path=C:/Other/][noid path=C:\\Other\\]");
}

TEST_F(FileSelectionTest, LeavesAnUnreadableFileAndAnUnknownFolderAlone) {
  writeHost("User/getfile.xml", "not a record table");
  EXPECT_EQ(qv::setFavorite("C:\\Data\\", 0), 0);
  EXPECT_EQ(qv::rememberFolder("C:\\Data\\a.crd"), 0);
  EXPECT_EQ(readHost("User/getfile.xml"), "not a record table");
  writeHost("User/getfile.xml", ""); // an empty file starts anew
  EXPECT_EQ(qv::setFavorite("C:\\Data\\", 0), 1);
  EXPECT_EQ(getfile(), "[id=favorite path=C:\\Data\\]");

  sim::evalLisp("(setq usrdir$ nil)");
  qv::userFolder[0] = '\0';
  EXPECT_EQ(qv::rememberFolder("C:\\Data\\a.crd"), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "getfile.xml"));
}

TEST_F(FileSelectionTest, ListsAFolderInNameOrderThroughTheFilter) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"CRD;txt", "C:\\List", "A a.crd b.TXT "},
      {nullptr, "C:\\List\\", "A a.crd b.TXT c.dat "},
      {"*.dat", "C:\\List", "A a.crd b.TXT c.dat "},
      {"dat", "C:\\Missing", ""},
  };
  for (const auto& [extensions, folder, ids] : cases) {
    SCOPED_TRACE(ids);
    qv::IQvUniRecord* list = reinterpret_cast<qv::IQvUniRecord*>(1);
    EXPECT_EQ(qv::listFolder(extensions, folder, &list), 1);
    EXPECT_EQ(qvtest::idsOf(list), ids);
    if (list != nullptr) {
      EXPECT_EQ(qvtest::describe(list).find(std::string("[id=A path=") + folder + " dir=1]"), 0U);
      qv::msString size;
      list->next()->getFieldText("size", size);
      EXPECT_STREQ(size, "1");
      list->releaseChain();
    }
  }
}

TEST_F(FileSelectionTest, ConvertsFileTimes) {
  const int64_t ticks = (946684800LL + 11644473600LL) * 10000000LL + 5000000; // 2000-01-01
  EXPECT_EQ(qv::fileTimeToSeconds(static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)),
            946684800);
  EXPECT_EQ(qv::fileTimeToSeconds(0, 0), -11644473600LL);
}

TEST_F(FileSelectionTest, BuildsPlacesAndRecentFilesWithoutDuplicates) {
  writeHost("Jobs/Site.ini", "PROJECT=C:\\DATA\\CRD\\ROAD.CRD\n"
                             "PROJECT=C:\\DATA\\TXT\\NOTES.TXT \n" // the space spoils the match
                             "PROJECT=C:\\DATA\\CRD\\GONE.CRD\n"
                             "OTHER=c:/data/txt/notes.txt\n"
                             "PROJECT=C:\\DATA\\CRD\\ROAD.CRD\n"
                             "PROJECT=ROAD.CRD\n");
  qv::rememberFolder("C:\\Other\\x.crd");
  qv::rememberFolder("C:\\Gone\\x.txt");
  qv::rememberFolder("C:\\Data\\x.dat");
  qv::setFavorite("C:\\Data\\Crd\\", 0);
  qv::setFavorite("C:\\User\\", 0);
  qv::IQvUniRecord* places = nullptr;
  qv::IQvUniRecord* recent = nullptr;
  ASSERT_EQ(qv::buildFileLists("crd;TXT", &places, &recent), 1);
  EXPECT_EQ(qvtest::idsOf(places), "C:\\DATA\\CRD\\ C:\\DATA\\TXT\\ C:\\Other\\ C:\\User\\ ");
  std::string described = qvtest::describe(recent);
  for (size_t at = described.find(" date="); at != std::string::npos; // the dates vary
       at = described.find(" date=", at + 1)) {
    described.erase(at + 6, described.find(" size=", at) - at - 6);
  }
  EXPECT_EQ(described, "[id=ROAD.CRD path=C:\\DATA\\CRD\\ date= size=1 order=1]"
                       "[id=NOTES.TXT path=C:\\DATA\\TXT\\ date= size=1 order=2]");
  places->releaseChain();
  recent->releaseChain();

  sim::openDocument("C:\\Jobs\\drawing.dwg");
  EXPECT_EQ(qv::buildFileLists("crd", &places, &recent), 1);
  EXPECT_EQ(places, nullptr);
  EXPECT_EQ(recent, nullptr);
}

TEST_F(FileSelectionTest, FailuresKeepGetfileWhole) {
  qv::setFavorite("C:\\Data\\", 0);
  const std::string before = getfile();
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int) {
      const int written = qv::setFavorite("C:\\Other\\", 0);
      sim::clearFailures();
      const std::string after = getfile();
      EXPECT_EQ(after, written == 1 ? before + "[id=favorite path=C:\\Other\\]" : before);
      qv::setFavorite("C:\\Other\\", 1);
    });
  }
  // A file that cannot be read, and whose presence cannot be told either, is not started anew.
  sim::failCall("fopen");
  sim::failCall("GetFileAttributesA");
  EXPECT_EQ(qv::setFavorite("C:\\Other\\", 0), 0);
  EXPECT_EQ(getfile(), before);
  qvtest::forEachAllocationFailure([&](int) {
    if (qv::rememberFolder("C:\\Data\\a.crd") == 1) {
      qvtest::UnfailingAllocations unfailing;
      EXPECT_NE(getfile().find("[id=crd path=C:\\Data\\]"), std::string::npos) << getfile();
    }
  });
}

TEST_F(FileSelectionTest, ListsSurviveFailures) {
  writeHost("Jobs/Site.ini", "PROJECT=C:\\DATA\\CRD\\ROAD.CRD\n");
  qv::setFavorite("C:\\Other\\", 0);
  const auto build = [](int) {
    qv::IQvUniRecord* places = nullptr;
    qv::IQvUniRecord* recent = nullptr;
    const int built = qv::buildFileLists("crd", &places, &recent);
    qv::IQvUniRecord* list = nullptr;
    const int listed = qv::listFolder("crd", "C:\\List", &list);
    qvtest::UnfailingAllocations unfailing;
    EXPECT_TRUE(built == 1 || (places == nullptr && recent == nullptr));
    EXPECT_TRUE(listed == 1 || list == nullptr);
    for (qv::IQvUniRecord* chain : {places, recent, list}) {
      if (chain != nullptr) {
        chain->releaseChain();
      }
    }
  };
  for (const char* call : {"fopen", "fread", "_stat", "FindFirstFileA", "GetFileAttributesA"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, build);
  }
  qvtest::forEachAllocationFailure(build);
}

} // namespace
