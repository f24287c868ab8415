// The C runtime's streams on the host: _fsopen and fopen_s give a standard FILE whose reads and
// writes pass through Windows' text mode, whose sharing mode is checked against the other open
// streams of the file, and whose writes and close can be made to fail on purpose.
#include "platform/win/stdio_win.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/internal/file_paths.h"

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr size_t kRawSize = 64 * 1024;

struct Mode {
  bool read = false;
  bool write = false;
  bool create = false;
  bool truncate = false;
  bool append = false;
  bool text = true;
};

// Windows' mode letters: one of r, w, a, then + , t, b and the runtime's other flags in any order.
bool parseMode(const char* mode, Mode& out) {
  if (mode == nullptr) {
    return false;
  }
  switch (mode[0]) {
  case 'r':
    out.read = true;
    break;
  case 'w':
    out.write = out.create = out.truncate = true;
    break;
  case 'a':
    out.write = out.create = out.append = true;
    break;
  default:
    return false;
  }
  bool sawPlus = false;
  bool sawKind = false;
  for (const char* p = mode + 1; *p != '\0'; ++p) {
    switch (*p) {
    case '+':
      if (sawPlus) {
        return false;
      }
      sawPlus = true;
      out.read = out.write = true;
      break;
    case 't':
    case 'b':
      if (sawKind) {
        return false;
      }
      sawKind = true;
      out.text = *p == 't';
      break;
    case 'c': // commit, no-commit, sequential, random, temporary, delete, no-inherit hints
    case 'n':
    case 'S':
    case 'R':
    case 'T':
    case 'D':
    case 'N':
    case ' ':
      break;
    case ',': // ",ccs=..." encodings are not part of the ANSI calls the library makes
    default:
      return false;
    }
  }
  return true;
}

struct Stream {
  int fd = -1;
  bool text = true;
  bool readable = false;
  uint64_t openId = 0;
  // Text-mode reading: bytes read from the file and not yet handed on.
  std::vector<char> raw;
  size_t rawPos = 0;
  size_t rawLen = 0;
  bool endOfData = false; // the file ended or a Ctrl-Z was met
  // The raw offset of the next Ctrl-Z (SIZE_MAX: none) as found by a search of raw up to
  // ctrlZSearched; SIZE_MAX there while raw has changed since.
  size_t ctrlZAt = SIZE_MAX;
  size_t ctrlZSearched = SIZE_MAX;
  // Position as the stream's user counts it: in text mode, bytes after translation.
  int64_t position = 0;
};

// Puts back the read-ahead so that the file offset is where the user's data ends.
void dropReadAhead(Stream& s) {
  if (s.rawPos < s.rawLen) {
    ::lseek(s.fd, -static_cast<off_t>(s.rawLen - s.rawPos), SEEK_CUR);
  }
  s.rawPos = s.rawLen = 0;
  s.endOfData = false;
  s.ctrlZSearched = SIZE_MAX;
}

// Reads more of the file behind the unconsumed bytes. Returns the count read, 0 at the end, -1.
ssize_t refill(Stream& s) {
  s.ctrlZSearched = SIZE_MAX;
  if (s.raw.empty()) {
    s.raw.resize(kRawSize);
  }
  if (s.rawPos > 0) {
    std::memmove(s.raw.data(), s.raw.data() + s.rawPos, s.rawLen - s.rawPos);
    s.rawLen -= s.rawPos;
    s.rawPos = 0;
  }
  ssize_t got;
  do {
    got = ::read(s.fd, s.raw.data() + s.rawLen, s.raw.size() - s.rawLen);
  } while (got < 0 && errno == EINTR);
  if (got > 0) {
    s.rawLen += static_cast<size_t>(got);
  }
  return got;
}

// How far the run at from may go (limit bytes at most, all read already) before the next Ctrl-Z.
// Where the next Ctrl-Z lies is kept until the read passes it, so that a file is searched for it
// once and not once per line.
size_t beforeCtrlZ(Stream& s, size_t limit) {
  const size_t rawEnd = s.rawLen;
  if (s.ctrlZSearched != rawEnd) {
    const void* mark = std::memchr(s.raw.data() + s.rawPos, kCtrlZ, rawEnd - s.rawPos);
    s.ctrlZAt = mark != nullptr ? static_cast<size_t>(static_cast<const char*>(mark) - s.raw.data())
                                : SIZE_MAX;
    s.ctrlZSearched = rawEnd;
  }
  if (s.ctrlZAt != SIZE_MAX) {
    limit = std::min(limit, s.ctrlZAt - s.rawPos);
  }
  return limit;
}

// Copies the bytes at from to out up to the first CR, limit bytes at most, and returns how many
// were copied. Lines are short, so a search and a copy per line would cost more than the bytes:
// sixteen at a time are looked at and stored together (the bytes stored after the CR lie inside
// out's limit and are written over by what follows).
size_t copyUntilCr(char* out, const char* from, size_t limit) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  for (; k + 16 <= limit; k += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), bytes);
    const int crs = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr));
    if (crs != 0) {
      return k + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(crs)));
    }
  }
  for (; k < limit && from[k] != '\r'; ++k) {
    out[k] = from[k];
  }
#else
  const void* found = std::memchr(from, '\r', limit);
  k = found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - from) : limit;
  std::memcpy(out, from, k);
#endif
  return k;
}

// Text mode's translation of the limit bytes at from (no Ctrl-Z among them) into out, which has
// room for as many: each CR LF becomes LF, a CR before anything else stays. A CR that is the last
// of them is left for the caller, since the byte after it is not known yet. used = the bytes of
// from taken; returns the bytes written.
size_t translateRun(char* out, const char* from, size_t limit, size_t& used) {
  size_t in = 0;
  size_t written = 0;
  for (;;) {
    const size_t plain = copyUntilCr(out + written, from + in, limit - in);
    in += plain;
    written += plain;
    if (in + 1 >= limit) {
      break; // the end, or a CR as the last byte
    }
    const bool lineEnd = from[in + 1] == '\n';
    out[written++] = lineEnd ? '\n' : '\r';
    in += lineEnd ? 2 : 1;
  }
  used = in;
  return written;
}

// Text mode: CR LF becomes LF, a CR before anything else stays, Ctrl-Z ends the data.
ssize_t readText(Stream& s, char* out, size_t size) {
  size_t done = 0;
  while (done < size && !s.endOfData) {
    if (s.rawPos == s.rawLen) {
      const ssize_t got = refill(s);
      if (got < 0) {
        return done > 0 ? static_cast<ssize_t>(done) : -1;
      }
      if (got == 0) {
        s.endOfData = true;
        break;
      }
    }
    const char* from = s.raw.data() + s.rawPos;
    const size_t available = s.rawLen - s.rawPos;
    const size_t room = size - done;
    // The bytes go across in one run, up to a Ctrl-Z or a CR that ends what was read.
    const size_t limit = beforeCtrlZ(s, std::min(available, room));
    size_t k = 0;
    done += translateRun(out + done, from, limit, k);
    s.rawPos += k;
    if (k == available || done == size) {
      continue;
    }
    if (from[k] == kCtrlZ) {
      s.endOfData = true;
      break;
    }
    if (k == limit) {
      continue; // the room ran out before line ends were dropped: there is room again
    }
    // A CR as the last byte read: look at the byte after it, reading on when it is not here yet.
    if (s.rawPos + 1 == s.rawLen) {
      const ssize_t got = refill(s);
      if (got < 0) {
        return done > 0 ? static_cast<ssize_t>(done) : -1;
      }
    }
    if (s.rawPos + 1 < s.rawLen && s.raw[s.rawPos + 1] == '\n') {
      out[done++] = '\n';
      s.rawPos += 2;
    } else {
      out[done++] = '\r';
      s.rawPos += 1;
    }
  }
  return static_cast<ssize_t>(done);
}

ssize_t streamRead(void* cookie, char* out, size_t size) {
  const sim::detail::StandInCall inCall;
  Stream& s = *static_cast<Stream*>(cookie);
  if (sim::detail::shouldFail(sim::detail::FailableCall::fread)) {
    errno = EIO;
    return -1;
  }
  ssize_t got;
  if (s.text) {
    got = readText(s, out, size);
  } else {
    do {
      got = ::read(s.fd, out, size);
    } while (got < 0 && errno == EINTR);
  }
  if (got > 0) {
    s.position += got;
  }
  return got;
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

ssize_t streamWrite(void* cookie, const char* data, size_t size) {
  const sim::detail::StandInCall inCall;
  Stream& s = *static_cast<Stream*>(cookie);
  if (sim::detail::shouldFail(sim::detail::FailableCall::fwrite)) {
    errno = ENOSPC;
    return -1;
  }
  dropReadAhead(s);
  if (!s.text) {
    if (!writeAll(s.fd, data, size)) {
      return -1;
    }
  } else {
    // "\n" goes to the file as CR LF.
    std::string converted;
    converted.reserve(size + size / 16 + 2);
    const char* p = data;
    const char* end = data + size;
    while (p < end) {
      const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (lf == nullptr) {
        converted.append(p, end);
        break;
      }
      converted.append(p, lf);
      converted += "\r\n";
      p = lf + 1;
    }
    if (!writeAll(s.fd, converted.data(), converted.size())) {
      return -1;
    }
  }
  s.position += static_cast<int64_t>(size);
  return static_cast<ssize_t>(size);
}

// Text mode positions count translated bytes, so a text seek reads forward from the start.
// With toEnd the target is the end of the data, wherever it lies.
int seekText(Stream& s, int64_t target, bool toEnd) {
  if (::lseek(s.fd, 0, SEEK_SET) < 0) {
    return -1;
  }
  s.rawPos = s.rawLen = 0;
  s.endOfData = false;
  s.ctrlZSearched = SIZE_MAX;
  s.position = 0;
  std::vector<char> scratch(16 * 1024);
  int64_t reached = 0;
  while (toEnd || reached < target) {
    const size_t want =
        toEnd ? scratch.size()
              : static_cast<size_t>(std::min<int64_t>(target - reached, scratch.size()));
    const ssize_t got = readText(s, scratch.data(), want);
    if (got < 0) {
      return -1;
    }
    if (got == 0) {
      break;
    }
    reached += got;
  }
  s.position = reached;
  if (!toEnd && reached < target) {
    // Past the end: the file offset follows, as for a binary seek past the end.
    dropReadAhead(s);
    ::lseek(s.fd, target - reached, SEEK_END);
    s.position = target;
  }
  return 0;
}

int streamSeek(void* cookie, off64_t* offset, int whence) {
  const sim::detail::StandInCall inCall;
  Stream& s = *static_cast<Stream*>(cookie);
  if (!s.text || !s.readable) {
    // Binary streams, and text streams that cannot be read back, count bytes on disk.
    dropReadAhead(s);
    const off_t at = ::lseek(s.fd, *offset, whence);
    if (at < 0) {
      return -1;
    }
    s.position = at;
    *offset = at;
    return 0;
  }
  if (whence == SEEK_CUR && *offset == 0) {
    *offset = s.position; // a position query, as ftell makes
    return 0;
  }
  int64_t target;
  switch (whence) {
  case SEEK_SET:
    target = *offset;
    break;
  case SEEK_CUR:
    target = s.position + *offset;
    break;
  case SEEK_END:
    if (seekText(s, 0, true) != 0) {
      return -1;
    }
    target = s.position + *offset;
    break;
  default:
    errno = EINVAL;
    return -1;
  }
  if (target < 0) {
    errno = EINVAL;
    return -1;
  }
  if (!(whence == SEEK_END && *offset == 0) && seekText(s, target, false) != 0) {
    return -1;
  }
  *offset = s.position;
  return 0;
}

int streamClose(void* cookie) {
  const sim::detail::StandInCall inCall;
  Stream* s = static_cast<Stream*>(cookie);
  sim::detail::unregisterOpen(s->openId);
  const bool failOnPurpose = sim::detail::shouldFail(sim::detail::FailableCall::fclose);
  const int closed = ::close(s->fd);
  delete s;
  if (failOnPurpose) {
    errno = EIO;
    return -1;
  }
  return closed;
}

int shareBits(int shflag, const Mode& mode, bool& valid) {
  valid = true;
  switch (shflag) {
  case _SH_DENYRW:
    return 0;
  case _SH_DENYWR:
    return 1;
  case _SH_DENYRD:
    return 2;
  case _SH_DENYNO:
    return 3;
  case _SH_SECURE:
    return mode.write ? 0 : 1;
  default:
    valid = false;
    return 0;
  }
}

FILE* openStream(const char* filename, const char* mode, int shflag) {
  const sim::detail::StandInCall inCall;
  Mode parsed;
  bool validShare = false;
  if (filename == nullptr || !parseMode(mode, parsed)) {
    sim::detail::failCrt(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const int share = shareBits(shflag, parsed, validShare);
  if (!validShare) {
    sim::detail::failCrt(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::fopen)) {
    sim::detail::failCrt(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const sim::detail::ResolvedPath where = sim::detail::resolvePath(filename);
  if (where.error != 0) {
    sim::detail::failCrt(where.error);
    return nullptr;
  }
  if (!where.parentExists) {
    sim::detail::failCrt(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  int flags = O_CLOEXEC;
  flags |= parsed.read && parsed.write ? O_RDWR : (parsed.write ? O_WRONLY : O_RDONLY);
  if (parsed.create) {
    flags |= O_CREAT;
  }
  if (parsed.append) {
    flags |= O_APPEND;
  }
  // Truncation waits until the sharing check has passed.
  const int fd = ::open(where.host.c_str(), flags, 0666);
  if (fd < 0) {
    sim::detail::failCrt(sim::detail::windowsErrorOf(errno, where.parentExists));
    return nullptr;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    sim::detail::failCrt(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (parsed.write && (info.st_mode & S_IWUSR) == 0) {
    ::close(fd); // a read-only file, even for a host user whom permissions do not stop
    sim::detail::failCrt(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const int access = (parsed.read ? 1 : 0) | (parsed.write ? 2 : 0);
  const uint64_t openId = sim::detail::registerOpen(info.st_dev, info.st_ino, access, share);
  if (openId == 0) {
    ::close(fd);
    sim::detail::failCrt(ERROR_SHARING_VIOLATION);
    return nullptr;
  }
  if (parsed.truncate && ::ftruncate(fd, 0) != 0) {
    const int err = errno;
    sim::detail::unregisterOpen(openId);
    ::close(fd);
    sim::detail::failCrt(sim::detail::windowsErrorOf(err, true));
    return nullptr;
  }
  if (parsed.append && parsed.read && parsed.text && info.st_size > 0) {
    // "a+" in text mode removes the Ctrl-Z that ends an old file before appending.
    char lastByte = 0;
    if (::pread(fd, &lastByte, 1, info.st_size - 1) == 1 && lastByte == kCtrlZ) {
      if (::ftruncate(fd, info.st_size - 1) != 0) {
        // The marker stays; reading stops at it as it did before.
      }
    }
  }
  auto* stream = new Stream;
  stream->fd = fd;
  stream->text = parsed.text;
  stream->readable = parsed.read;
  stream->openId = openId;
  cookie_io_functions_t hooks{streamRead, streamWrite, streamSeek, streamClose};
  // The mode given to fopencookie only decides what glibc lets through; "+" keeps both ways.
  const char* cookieMode = parsed.read && parsed.write ? (parsed.append ? "a+" : "r+")
                           : parsed.write              ? (parsed.append ? "a" : "w")
                                                       : "r";
  FILE* file = ::fopencookie(stream, cookieMode, hooks);
  if (file == nullptr) {
    sim::detail::unregisterOpen(openId);
    ::close(fd);
    delete stream;
    sim::detail::failCrt(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return file;
}

} // namespace

FILE* _fsopen(const char* filename, const char* mode, int shflag) {
  return openStream(filename, mode, shflag);
}

errno_t fopen_s(FILE** file, const char* filename, const char* mode) {
  if (file == nullptr) {
    sim::detail::failCrt(ERROR_INVALID_PARAMETER);
    return EINVAL;
  }
  *file = openStream(filename, mode, _SH_SECURE);
  return *file != nullptr ? 0 : errno;
}
