// The file-selection data: getfile.xml's remembered folders and favourites, folder listings, and
// the places and recent-files lists of a drawing.
#include <algorithm>
#include <cctype>
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
  FileSelectionTest() : HostTest('C') {}
  void SetUp() override {
    HostTest::SetUp();
    for (const char* folder : {"Jobs", "Data/Crd", "Data/Txt", "User", "Other", "List/A"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    for (const char* file : {"Jobs/Site.dwg", "Data/Crd/Road.crd", "Data/Txt/Notes.txt",
                             "List/b.TXT", "List/a.crd", "List/c.dat"}) {
      writeHost(file, "x");
    }
    qv::userFolder[0] = '\0';
    ASSERT_NE(sim::openDocument(c("C:\\Jobs\\Site.dwg").c_str()), 0);
    sim::evalLisp("(setq usrdir$ " + qvtest::lispString(c("C:\\USER\\")) + ")");
  }
  void TearDown() override {
    qv::userFolder[0] = '\0';
    HostTest::TearDown();
  }
  // text with each path on drive C: on the test's folder (atDrive), upper-cased where the path
  // is, as the calls answer a path they upper-case.
  std::string c(const std::string& text) const {
    std::string out;
    size_t at = 0;
    for (size_t found; (found = text.find(':', at)) != std::string::npos; at = found + 1) {
      const bool drive = found > 0 && (text[found - 1] == 'C' || text[found - 1] == 'c') &&
                         found + 1 < text.size() &&
                         (text[found + 1] == '\\' || text[found + 1] == '/');
      if (!drive) {
        out += text.substr(at, found + 1 - at);
        continue;
      }
      const size_t end = text.find_first_of(" ]\n", found);
      const std::string path =
          text.substr(found - 1, end == std::string::npos ? end : end - found + 1);
      std::string root = atDrive(path.substr(0, 3));
      root.pop_back();
      if (std::none_of(path.begin(), path.end(),
                       [](char l) { return std::islower(static_cast<unsigned char>(l)); })) {
        std::transform(root.begin(), root.end(), root.begin(), [](char l) {
          return static_cast<char>(std::toupper(static_cast<unsigned char>(l)));
        });
      }
      out += text.substr(at, found - 1 - at) + root;
    }
    return out + text.substr(at);
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
  EXPECT_EQ(qv::rememberFolder(c("C:\\Data\\Crd\\Road.crd").c_str()), 1);
  EXPECT_EQ(qv::setFavorite(c("C:\\Data\\").c_str(), 0), 1);
  EXPECT_EQ(qv::rememberFolder(c("C:/Other/X.CRD").c_str()), 1);
  EXPECT_EQ(qv::rememberFolder(c("C:\\Data\\Notes").c_str()), 1);
  EXPECT_EQ(qv::setFavorite(c("c:\\data\\").c_str(), 0), 1);
  EXPECT_EQ(qv::setFavorite(c("C:\\Other\\").c_str(), 0), 1);
  EXPECT_EQ(qv::rememberFolder(c("C:\\Other\\Readme").c_str()), 1); // the empty id is kept as no id
  EXPECT_EQ(getfile(), c("[id=crd path=C:/Other/][id=favorite path=C:\\Data\\][noid "
                         "path=C:\\Other\\][id=favorite path=C:\\Other\\]"));
  EXPECT_EQ(qv::setFavorite(c("C:\\DATA\\").c_str(), 1), 1);
  EXPECT_EQ(qv::setFavorite(c("C:\\Missing\\").c_str(), 1), 1);
  EXPECT_EQ(qv::setFavorite(c("C:\\Other\\").c_str(), 1), 1);
  EXPECT_EQ(getfile(), c("[id=crd path=C:/Other/][noid path=C:\\Other\\]"));
}

TEST_F(FileSelectionTest, LeavesAnUnreadableFileAndAnUnknownFolderAlone) {
  writeHost("User/getfile.xml", "not a record table");
  EXPECT_EQ(qv::setFavorite(c("C:\\Data\\").c_str(), 0), 0);
  EXPECT_EQ(qv::rememberFolder(c("C:\\Data\\a.crd").c_str()), 0);
  EXPECT_EQ(readHost("User/getfile.xml"), "not a record table");
  writeHost("User/getfile.xml", ""); // an empty file starts anew
  EXPECT_EQ(qv::setFavorite(c("C:\\Data\\").c_str(), 0), 1);
  EXPECT_EQ(getfile(), c("[id=favorite path=C:\\Data\\]"));

  sim::evalLisp("(setq usrdir$ nil)");
  qv::userFolder[0] = '\0';
  EXPECT_EQ(qv::rememberFolder(c("C:\\Data\\a.crd").c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "getfile.xml"));
}

TEST_F(FileSelectionTest, ListsAFolderInNameOrderThroughTheFilter) {
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"CRD;txt", c("C:\\List"), "A a.crd b.TXT "},
      {nullptr, c("C:\\List\\"), "A a.crd b.TXT c.dat "},
      {"*.dat", c("C:\\List"), "A a.crd b.TXT c.dat "},
      {"dat", c("C:\\Missing"), ""},
  };
  for (const auto& [extensions, folder, ids] : cases) {
    SCOPED_TRACE(ids);
    qv::IQvUniRecord* list = reinterpret_cast<qv::IQvUniRecord*>(1);
    EXPECT_EQ(qv::listFolder(extensions, folder.c_str(), &list), 1);
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
  // The space after NOTES.TXT spoils the match.
  writeHost("Jobs/Site.ini", c("PROJECT=C:\\DATA\\CRD\\ROAD.CRD\nPROJECT=C:\\DATA\\TXT\\NOTES.TXT "
                               "\nPROJECT=C:\\DATA\\CRD\\GONE.CRD\nOTHER=c:/data/txt/"
                               "notes.txt\nPROJECT=C:\\DATA\\CRD\\ROAD.CRD\nPROJECT=ROAD.CRD\n"));
  qv::rememberFolder(c("C:\\Other\\x.crd").c_str());
  qv::rememberFolder(c("C:\\Gone\\x.txt").c_str());
  qv::rememberFolder(c("C:\\Data\\x.dat").c_str());
  qv::setFavorite(c("C:\\Data\\Crd\\").c_str(), 0);
  qv::setFavorite(c("C:\\User\\").c_str(), 0);
  qv::IQvUniRecord* places = nullptr;
  qv::IQvUniRecord* recent = nullptr;
  ASSERT_EQ(qv::buildFileLists("crd;TXT", &places, &recent), 1);
  EXPECT_EQ(qvtest::idsOf(places), c("C:\\DATA\\CRD\\ C:\\DATA\\TXT\\ C:\\Other\\ C:\\User\\ "));
  std::string described = qvtest::describe(recent);
  for (size_t at = described.find(" date="); at != std::string::npos; // the dates vary
       at = described.find(" date=", at + 1)) {
    described.erase(at + 6, described.find(" size=", at) - at - 6);
  }
  EXPECT_EQ(described, c("[id=ROAD.CRD path=C:\\DATA\\CRD\\ date= size=1 order=1][id=NOTES.TXT "
                         "path=C:\\DATA\\TXT\\ date= size=1 order=2]"));
  ASSERT_NE(places, nullptr);
  ASSERT_NE(recent, nullptr);
  places->releaseChain();
  recent->releaseChain();

  sim::openDocument(c("C:\\Jobs\\drawing.dwg").c_str());
  EXPECT_EQ(qv::buildFileLists("crd", &places, &recent), 1);
  EXPECT_EQ(places, nullptr);
  EXPECT_EQ(recent, nullptr);
}

TEST_F(FileSelectionTest, FailuresKeepGetfileWhole) {
  // The paths are made before the sweeps, whose failing allocator they would meet.
  const std::string other = c("C:\\Other\\"), added = c("[id=favorite path=C:\\Other\\]"),
                    file = c("C:\\Data\\the roads surveyed.crd"),
                    remembered = c("[id=crd path=C:\\Data\\]");
  qv::setFavorite(c("C:\\Data\\").c_str(), 0);
  const std::string before = getfile();
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int) {
      const int written = qv::setFavorite(other.c_str(), 0);
      sim::clearFailures();
      const std::string after = getfile();
      EXPECT_EQ(after, written == 1 ? before + added : before);
      qv::setFavorite(other.c_str(), 1);
    });
  }
  qvtest::forEachAllocationFailure([&](int) {
    if (qv::rememberFolder(file.c_str()) == 1) {
      qvtest::UnfailingAllocations unfailing;
      EXPECT_NE(getfile().find(remembered), std::string::npos) << getfile();
    }
  });
  // A file that cannot be read, and whose presence cannot be told either, is not started anew.
  QV_SKIP_UNLESS_FAILABLE("fopen");
  const std::string kept = getfile();
  sim::failCall("fopen");
  sim::failCall("GetFileAttributesA");
  EXPECT_EQ(qv::setFavorite(other.c_str(), 0), 0);
  EXPECT_EQ(getfile(), kept);
}

TEST_F(FileSelectionTest, ListsSurviveFailures) {
  writeHost("Jobs/Site.ini", c("PROJECT=C:\\DATA\\CRD\\ROAD.CRD\n"));
  // A favourite whose name does not fit a string's own buffer, as on Windows every path does.
  std::filesystem::create_directories(tempDir() / "Other places surveyed");
  qv::setFavorite(c("C:\\Other places surveyed\\").c_str(), 0);
  const std::string folder = c("C:\\List"); // made before the allocation sweep
  const auto build = [&folder](int) {
    qv::IQvUniRecord* places = nullptr;
    qv::IQvUniRecord* recent = nullptr;
    const int built = qv::buildFileLists("crd", &places, &recent);
    qv::IQvUniRecord* list = nullptr;
    const int listed = qv::listFolder("crd", folder.c_str(), &list);
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
