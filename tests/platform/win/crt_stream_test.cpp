// The runtime's streams: Windows' text mode byte for byte, modes, sharing between open streams,
// and opens, writes, reads and closes that fail on purpose.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/sim.h"
#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class CrtStreamTest : public qvtest::HostTest {
protected:
  CrtStreamTest() : HostTest('C') {}
  // Everything a stream opened with mode gives, read with fread.
  std::string readAll(const std::string& path, const char* mode) {
    FILE* file = _fsopen(path.c_str(), mode, _SH_DENYNO);
    EXPECT_NE(file, nullptr);
    if (file == nullptr) {
      return "";
    }
    std::string text;
    char buffer[100];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
      text.append(buffer, got);
    }
    EXPECT_EQ(ferror(file), 0);
    EXPECT_EQ(fclose(file), 0);
    return text;
  }
};

TEST_F(CrtStreamTest, TextModeWritesCrLfAndReadsItBack) {
  FILE* out = _fsopen(onDrive("t.txt").c_str(), "w", _SH_DENYNO);
  ASSERT_NE(out, nullptr);
  fputs("a\nb\n", out);
  fprintf(out, "%d\n", 42);
  EXPECT_EQ(fclose(out), 0);
  EXPECT_EQ(readHost("t.txt"), "a\r\nb\r\n42\r\n");
  EXPECT_EQ(readAll(onDrive("t.txt").c_str(), "r"), "a\nb\n42\n");
  EXPECT_EQ(readAll(onDrive("t.txt").c_str(), "rb"), "a\r\nb\r\n42\r\n");

  FILE* binary = _fsopen(onDrive("b.bin").c_str(), "wb", _SH_DENYNO);
  ASSERT_NE(binary, nullptr);
  fputs("a\nb\r\n", binary);
  EXPECT_EQ(fclose(binary), 0);
  EXPECT_EQ(readHost("b.bin"), "a\nb\r\n");
}

TEST_F(CrtStreamTest, TextModeReadsBareLfCrLfLoneCrAndStopsAtCtrlZ) {
  writeHost("mixed.txt", std::string("one\r\ntwo\nthree\rfour\r\n\r\nNUL\0end\x1Ahidden\r\n", 37));
  EXPECT_EQ(readAll(onDrive("mixed.txt").c_str(), "rt"),
            std::string("one\ntwo\nthree\rfour\n\nNUL\0end", 27));
  FILE* in = _fsopen(onDrive("mixed.txt").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(in, nullptr);
  char line[64];
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "one\n");
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "two\n");
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "three\rfour\n");
  EXPECT_EQ(fclose(in), 0);
  writeHost("cr.txt", "end\r");
  EXPECT_EQ(readAll(onDrive("cr.txt").c_str(), "r"), "end\r");
}

TEST_F(CrtStreamTest, CrLfSplitAcrossReadsIsOneLineEnd) {
  // The read-ahead buffer is 64 KiB: put a CR as its last byte, and its LF after it.
  std::string bytes(64 * 1024 - 1, 'x');
  bytes += "\r\ny\r\n";
  writeHost("edge.txt", bytes);
  std::string expected(64 * 1024 - 1, 'x');
  expected += "\ny\n";
  EXPECT_EQ(readAll(onDrive("edge.txt").c_str(), "r"), expected);
}

TEST_F(CrtStreamTest, ACtrlZAnywhereInALongFileEndsTheDataAlsoAfterASeek) {
  // About the ends of the runtime's 4 KiB buffer and of the stand-in's 64 KiB read-ahead. The
  // texts are compared whole: a failed comparison of texts this long takes a minute to print.
  for (const size_t at : {size_t{5}, size_t{4095}, size_t{4097}, size_t{64 * 1024 - 1},
                          size_t{64 * 1024}, size_t{64 * 1024 + 1}}) {
    SCOPED_TRACE(at);
    std::string bytes;
    while (bytes.size() < 70000) {
      bytes += "line\r\nx\ry\r\n";
    }
    bytes[at] = '\x1A';
    std::string expected;
    for (size_t i = 0; i < at; ++i) {
      if (!(bytes[i] == '\r' && i + 1 < at && bytes[i + 1] == '\n')) {
        expected += bytes[i];
      }
    }
    writeHost("z.txt", bytes);
    const std::string inPieces = readAll(onDrive("z.txt").c_str(), "r");
    // Wine's fread, in pieces smaller than its buffer, reads on past a Ctrl-Z that the first
    // piece does not reach (its fgetc and fgets stop there, as Windows does).
    if (!sim::runsOnWine()) {
      EXPECT_EQ(inPieces.size(), expected.size());
      EXPECT_TRUE(inPieces == expected);
    }
    // A seek back starts the search for the Ctrl-Z over.
    FILE* in = _fsopen(onDrive("z.txt").c_str(), "r", _SH_DENYNO);
    ASSERT_NE(in, nullptr);
    std::string first(expected.size() + 10, '\0');
    first.resize(fread(first.data(), 1, first.size(), in));
    ASSERT_EQ(fseek(in, 0, SEEK_SET), 0);
    std::string again(expected.size() + 10, '\0');
    again.resize(fread(again.data(), 1, again.size(), in));
    EXPECT_EQ(fclose(in), 0);
    EXPECT_EQ(first.size(), expected.size());
    EXPECT_TRUE(first == expected);
    EXPECT_TRUE(again == expected);
  }
}

// A text stream's positions are the runtime's own (Windows' count each line end's CR, the
// stand-in's do not): what ftell gave is what fseek takes back.
TEST_F(CrtStreamTest, TextPositionsRoundTripThroughFtellAndFseek) {
  writeHost("p.txt", "ab\r\ncd\r\nef\r\n");
  FILE* in = _fsopen(onDrive("p.txt").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(in, nullptr);
  char line[16];
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  const long afterFirst = ftell(in);
  EXPECT_GT(afterFirst, 2);
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_EQ(fseek(in, afterFirst, SEEK_SET), 0);
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "cd\n");
  EXPECT_EQ(fseek(in, 0, SEEK_END), 0);
  const long end = ftell(in);
  EXPECT_GT(end, afterFirst);
  EXPECT_EQ(fseek(in, afterFirst, SEEK_SET), 0);
  EXPECT_EQ(fseek(in, end, SEEK_SET), 0);
  EXPECT_EQ(fgets(line, sizeof line, in), nullptr);
  EXPECT_NE(feof(in), 0);
  rewind(in);
  ASSERT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "ab\n");
  EXPECT_EQ(fclose(in), 0);
}

TEST_F(CrtStreamTest, ModesCreateTruncateAndAppend) {
  EXPECT_EQ(_fsopen(onDrive("none.txt").c_str(), "r", _SH_DENYNO), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(_fsopen(onDrive("nodir\\x.txt").c_str(), "w", _SH_DENYNO), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(_fsopen(onDrive("x.txt").c_str(), "q", _SH_DENYNO), nullptr);
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(_fsopen(onDrive("x.txt").c_str(), "rbt", _SH_DENYNO), nullptr);
  errno = 0;
  EXPECT_EQ(_fsopen(onDrive("x.txt").c_str(), "w", 0x99), nullptr);
  EXPECT_TRUE(errno == EINVAL || sim::runsOnWine()); // Wine refuses it but leaves errno alone
  EXPECT_EQ(_fsopen(nullptr, "r", _SH_DENYNO), nullptr);
  std::filesystem::create_directory(tempPath("folder"));
  EXPECT_EQ(_fsopen(onDrive("folder").c_str(), "r", _SH_DENYNO), nullptr);
  EXPECT_EQ(errno, EACCES);

  writeHost("log.txt", "old\r\n");
  FILE* add = _fsopen(onDrive("LOG.TXT").c_str(), "a", _SH_DENYNO);
  ASSERT_NE(add, nullptr);
  fputs("new\n", add);
  EXPECT_EQ(fclose(add), 0);
  EXPECT_EQ(readHost("log.txt"), "old\r\nnew\r\n");

  writeHost("dos.txt", "old\r\n\x1A");
  FILE* plus =
      _fsopen(onDrive("dos.txt").c_str(), "a+", _SH_DENYNO); // a+ drops the end-of-file mark
  ASSERT_NE(plus, nullptr);
  fputs("more\n", plus);
  EXPECT_EQ(fclose(plus), 0);
  if (!sim::runsOnWine()) { // Wine leaves the mark before the new text
    EXPECT_EQ(readHost("dos.txt"), "old\r\nmore\r\n");
  }

  FILE* trunc = _fsopen(onDrive("Log.txt").c_str(), "w+", _SH_DENYNO);
  ASSERT_NE(trunc, nullptr);
  fputs("z\n", trunc);
  rewind(trunc);
  char line[8];
  ASSERT_NE(fgets(line, sizeof line, trunc), nullptr);
  EXPECT_STREQ(line, "z\n");
  EXPECT_EQ(fclose(trunc), 0);
  EXPECT_EQ(readHost("log.txt"), "z\r\n");

  FILE* viaS = nullptr;
  EXPECT_EQ(fopen_s(&viaS, onDrive("log.txt").c_str(), "rb"), 0);
  ASSERT_NE(viaS, nullptr);
  EXPECT_EQ(fclose(viaS), 0);
  EXPECT_EQ(fopen_s(&viaS, onDrive("none.txt").c_str(), "r"), ENOENT);
  EXPECT_EQ(viaS, nullptr);
  EXPECT_EQ(fopen_s(nullptr, onDrive("log.txt").c_str(), "r"), EINVAL);
}

TEST_F(CrtStreamTest, SharingModesAreCheckedAgainstOpenStreams) {
  writeHost("s.txt", "s");
  FILE* reader = _fsopen(onDrive("s.txt").c_str(), "r", _SH_DENYWR);
  ASSERT_NE(reader, nullptr);
  FILE* second = _fsopen(onDrive("S.TXT").c_str(), "r", _SH_DENYNO);
  EXPECT_NE(second, nullptr); // reading is shared
  EXPECT_EQ(_fsopen(onDrive("s.txt").c_str(), "a", _SH_DENYNO), nullptr);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  // A writer that does not share reading is refused while readers are open.
  EXPECT_EQ(_fsopen(onDrive("s.txt").c_str(), "r", _SH_DENYRD), nullptr);
  if (!sim::windowsAnswers()) { // Windows counts its streams among all of its handles
    EXPECT_EQ(sim::openFiles(), 2);
  }
  EXPECT_FALSE(DeleteFileA(onDrive("s.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(_unlink(onDrive("s.txt").c_str()), -1);
  EXPECT_FALSE(MoveFileExA(onDrive("s.txt").c_str(), onDrive("t.txt").c_str(), 0));
  EXPECT_EQ(fclose(second), 0);
  EXPECT_EQ(fclose(reader), 0);
  EXPECT_EQ(sim::openFiles(), 0);

  FILE* exclusive = _fsopen(onDrive("s.txt").c_str(), "r", _SH_DENYRW);
  ASSERT_NE(exclusive, nullptr);
  EXPECT_EQ(_fsopen(onDrive("s.txt").c_str(), "r", _SH_DENYNO), nullptr);
  EXPECT_EQ(_fsopen(onDrive("s.txt").c_str(), "w", _SH_DENYNO), nullptr);
  EXPECT_EQ(fclose(exclusive), 0);
  EXPECT_EQ(readHost("s.txt"), "s"); // a refused "w" truncates nothing

  FILE* secure = nullptr;
  ASSERT_EQ(fopen_s(&secure, onDrive("s.txt").c_str(), "a"), 0);
  // fopen_s shares nothing while writing; Wine's shares everything.
  FILE* shared = _fsopen(onDrive("s.txt").c_str(), "r", _SH_DENYNO);
  EXPECT_TRUE(shared == nullptr || sim::runsOnWine());
  if (shared != nullptr) {
    EXPECT_EQ(fclose(shared), 0);
  }
  EXPECT_EQ(fclose(secure), 0);
}

TEST_F(CrtStreamTest, OpensWritesReadsAndClosesFailOnPurpose) {
  QV_SKIP_UNLESS_FAILABLE("fopen");
  sim::failCall("fopen");
  EXPECT_EQ(_fsopen(onDrive("f.txt").c_str(), "w", _SH_DENYNO), nullptr);
  EXPECT_EQ(errno, EACCES);
  EXPECT_FALSE(std::filesystem::exists(tempPath("f.txt")));

  sim::failCall("fwrite"); // the write to disk, when the buffer goes out at the close
  FILE* out = _fsopen(onDrive("f.txt").c_str(), "w", _SH_DENYNO);
  ASSERT_NE(out, nullptr);
  EXPECT_GE(fputs("data\n", out), 0);
  EXPECT_EQ(fclose(out), EOF);
  EXPECT_EQ(sim::openFiles(), 0);

  sim::failCall("fclose");
  out = _fsopen(onDrive("f.txt").c_str(), "w", _SH_DENYNO);
  ASSERT_NE(out, nullptr);
  fputs("data\n", out);
  EXPECT_EQ(fclose(out), EOF);
  EXPECT_EQ(sim::openFiles(), 0);

  sim::failCall("fread");
  FILE* in = _fsopen(onDrive("f.txt").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(in, nullptr);
  char line[16];
  EXPECT_EQ(fgets(line, sizeof line, in), nullptr);
  EXPECT_NE(ferror(in), 0);
  EXPECT_EQ(fclose(in), 0);
  EXPECT_GE(sim::callCount("fopen"), 4);
}

} // namespace
