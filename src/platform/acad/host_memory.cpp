// The host allocator and result buffers, with the live counts and release checks of the stand-in.
//
// Every block and result buffer carries a small header just before what the caller gets: its size,
// the session it was made in and its state. Counting is per thread (call_tallies.h), so the path
// takes no lock and looks nothing up (but on Windows, see HandedOut). A release reads the header
// first: a pointer whose header is not a live one was released already or never handed out, and
// is reported instead of freed.
#include "platform/acad/acutads.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <mutex>
#include <unordered_set>

#include "platform/acad/internal/rb_kinds.h"
#include "platform/internal/session.h"
#include "platform/sim.h"

#if defined(__SANITIZE_ADDRESS__)
#define QV_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_UNDER_ASAN 1
#endif
#endif
#ifdef QV_UNDER_ASAN
#include <sanitizer/asan_interface.h>
#endif
#if defined(__SANITIZE_THREAD__)
#define QV_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QV_UNDER_TSAN 1
#endif
#endif

namespace {

#ifdef QV_PLAIN_HOST_MEMORY
// A benchmark build measuring the stand-in's share: blocks and result buffers come straight from
// the C library, without header, count, check or planned failure.
constexpr bool kPlainMemory = true;
#else
constexpr bool kPlainMemory = false;
#endif

using sim::detail::FailableCall;
using sim::detail::Tally;

constexpr uint32_t kLiveBlock = 0x4B4C5651u;  // "QVLK"
constexpr uint32_t kLiveResbuf = 0x42525651u; // "QVRB"
constexpr uint32_t kReleased = 0x44454C52u;   // "RLED"

struct Header {
  uint64_t size;
  uint32_t generation; // the session it was made in (low bits)
  uint32_t state;      // kLiveBlock or kLiveResbuf while live
};
// The header keeps what follows it aligned as malloc aligns.
static_assert(sizeof(Header) == 16 && alignof(std::max_align_t) <= 16);

#if !defined(QV_UNDER_ASAN) && !defined(QV_UNDER_TSAN) && !defined(_WIN32) &&                      \
    !defined(QV_PLAIN_HOST_MEMORY)
// The release check reads the header of a block that may have been released already, so released
// memory must stay mapped: the C library is told, once at start, not to give the top of its heap
// back to the system and to serve blocks up to its largest threshold (32 MB) from the heap rather
// than from mappings of their own. A block larger than that, released twice, can still fault.
// Under AddressSanitizer none of this is needed: released memory is poisoned and never read.
const bool releasedMemoryStaysMapped = [] {
  mallopt(M_TRIM_THRESHOLD, INT32_MAX);
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  return true;
}();
#endif

#if defined(_WIN32) && !defined(QV_PLAIN_HOST_MEMORY)
// Windows' heap gives released pages back to the system (a large block's at once, and a run of
// free space once enough of it lies together), and no setting keeps them, so a header read after
// its release can fault. There the regions handed out are listed, and a header is read only while
// its region is on the list. Kept over resets: a block of an earlier session is still live.
class HandedOut {
public:
  void add(const void* region) {
    const sim::detail::StandInCall inCall; // the list's own allocations are not the caller's
    std::lock_guard<std::mutex> lock(guard_);
    regions_.insert(region);
  }
  void remove(const void* region) {
    std::lock_guard<std::mutex> lock(guard_);
    regions_.erase(region);
  }
  bool contains(const void* region) {
    std::lock_guard<std::mutex> lock(guard_);
    return regions_.count(region) != 0;
  }

private:
  std::mutex guard_;
  std::unordered_set<const void*> regions_;
};

HandedOut& handedOut() {
  static HandedOut* const list = new HandedOut; // never destroyed: blocks outlive statics
  return *list;
}

void handOut(const void* region) {
  handedOut().add(region);
}

void takeBack(const void* region) {
  handedOut().remove(region);
}

bool isHandedOut(const void* region) {
  return handedOut().contains(region);
}
#else
// Elsewhere released memory stays readable (see above): the header alone tells.
void handOut(const void*) {}
void takeBack(const void*) {}
[[maybe_unused]] bool isHandedOut(const void*) { // not read under ThreadSanitizer (below)
  return true;
}
#endif

uint32_t sessionNow() {
  return static_cast<uint32_t>(sim::detail::generation());
}

Header* headerOf(const void* pointer) {
  return reinterpret_cast<Header*>(reinterpret_cast<uintptr_t>(pointer) - sizeof(Header));
}

void* payloadOf(Header* header) {
  return header + 1;
}

// Reads the header in front of a pointer the caller gives back. A released block's header was
// marked released before the block went back to malloc, and malloc's free lists then write over
// the first words anyway, so a stale header does not read as live. Under AddressSanitizer a
// released or foreign region is poisoned and is not read at all.
#ifdef QV_UNDER_TSAN
// ThreadSanitizer cannot be asked whether memory was freed and would report the read itself, so
// the bytes are copied by code it does not watch (its allocator keeps small released blocks
// mapped).
__attribute__((no_sanitize("thread"))) bool readHeader(const void* pointer, Header& header) {
  const volatile unsigned char* from = reinterpret_cast<const unsigned char*>(headerOf(pointer));
  unsigned char* to = reinterpret_cast<unsigned char*>(&header);
  for (size_t index = 0; index < sizeof header; ++index) {
    to[index] = from[index];
  }
  return true;
}
#else
bool readHeader(const void* pointer, Header& header) {
#ifdef QV_UNDER_ASAN
  if (__asan_region_is_poisoned(const_cast<Header*>(headerOf(pointer)), sizeof(Header)) !=
      nullptr) {
    return false;
  }
#endif
  if (!isHandedOut(headerOf(pointer))) {
    return false;
  }
  std::memcpy(&header, headerOf(pointer), sizeof header); // the pointer may be misaligned
  return true;
}
#endif

struct MemoryProblems {
  std::mutex guard;
  std::vector<std::string> lines;
};

void report(const char* what, const void* pointer) {
  char line[128];
  std::snprintf(line, sizeof line, "%s %p", what, pointer);
  MemoryProblems& problems = sim::detail::session<MemoryProblems>();
  {
    std::lock_guard<std::mutex> lock(problems.guard);
    problems.lines.emplace_back(line);
  }
  std::fprintf(stderr, "stand-in host: %s\n", line);
}

// Frees a header-carrying region; counts the release when it was made in this session.
void release(Header* header, uint32_t generation, Tally released) {
  // A store the compiler cannot drop as dead before free: a second release must find it.
  *static_cast<volatile uint32_t*>(&header->state) = kReleased;
  takeBack(header);
  std::free(header);
  if (generation == sessionNow()) {
    sim::detail::tally(released);
  }
}

// Frees what the buffer's value owns: its string or binary chunk.
void releaseValue(resbuf* item) {
  switch (rbValueKind(item->restype)) {
  case RbValueKind::String:
    acad_free(item->resval.rstring);
    item->resval.rstring = nullptr;
    break;
  case RbValueKind::Binary:
    acad_free(item->resval.rbinary.buf);
    item->resval.rbinary.buf = nullptr;
    break;
  default:
    break;
  }
}

} // namespace

void* acad_malloc(size_t size) {
  if constexpr (kPlainMemory) {
    return std::malloc(size);
  }
  const sim::detail::StandInCall inCall;
  if (sim::detail::shouldFail(FailableCall::acad_malloc) || size > SIZE_MAX - sizeof(Header)) {
    return nullptr;
  }
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (header == nullptr) {
    return nullptr;
  }
  *header = Header{size, sessionNow(), kLiveBlock};
  handOut(header);
  sim::detail::tally(Tally::BlocksMade);
  return payloadOf(header);
}

void* acad_realloc(void* block, size_t size) {
  if constexpr (kPlainMemory) {
    return std::realloc(block, size);
  }
  const sim::detail::StandInCall inCall;
  if (block == nullptr) {
    return acad_malloc(size);
  }
  Header header;
  if (!readHeader(block, header) || header.state != kLiveBlock) {
    report("acad_realloc of a block the host never handed out:", block);
    return nullptr;
  }
  if (sim::detail::shouldFail(FailableCall::acad_realloc) || size > SIZE_MAX - sizeof(Header)) {
    return nullptr;
  }
  Header* const before = headerOf(block);
  takeBack(before); // listed again below, where it may have moved to
  auto* moved = static_cast<Header*>(std::realloc(before, sizeof(Header) + size));
  if (moved == nullptr) {
    handOut(before);
    return nullptr;
  }
  handOut(moved);
  moved->size = size;
  return payloadOf(moved);
}

void acad_free(void* block) {
  if constexpr (kPlainMemory) {
    std::free(block);
    return;
  }
  const sim::detail::StandInCall inCall;
  if (block == nullptr) {
    return;
  }
  Header header;
  if (!readHeader(block, header) || header.state != kLiveBlock) {
    report("acad_free of a block not live (freed twice, or never handed out):", block);
    return;
  }
  release(headerOf(block), header.generation, Tally::BlocksReleased);
}

char* acad_strdup(const char* text) {
  const sim::detail::StandInCall inCall;
  if (text == nullptr) {
    return nullptr;
  }
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(acad_malloc(size));
  if (copy != nullptr) {
    std::memcpy(copy, text, size);
  }
  return copy;
}

resbuf* acutNewRb(int type) {
  if constexpr (kPlainMemory) {
    auto* item = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (item != nullptr) {
      item->restype = static_cast<short>(type);
    }
    return item;
  }
  if (sim::detail::shouldFail(FailableCall::acutNewRb)) {
    return nullptr;
  }
  auto* header = static_cast<Header*>(std::calloc(1, sizeof(Header) + sizeof(resbuf)));
  if (header == nullptr) {
    return nullptr;
  }
  *header = Header{sizeof(resbuf), sessionNow(), kLiveResbuf};
  handOut(header);
  sim::detail::tally(Tally::ResbufsMade);
  auto* item = static_cast<resbuf*>(payloadOf(header));
  item->restype = static_cast<short>(type);
  return item;
}

int acutRelRb(resbuf* list) {
  while (kPlainMemory && list != nullptr) {
    resbuf* next = list->rbnext;
    releaseValue(list);
    std::free(list);
    list = next;
  }
  while (list != nullptr) {
    Header header;
    if (!readHeader(list, header) || header.state != kLiveResbuf) {
      report("acutRelRb of a result buffer not live (released twice, or not the host's):", list);
      return RTNORM;
    }
    resbuf* next = list->rbnext; // read only once the buffer is known to be live
    releaseValue(list);
    release(headerOf(list), header.generation, Tally::ResbufsReleased);
    list = next;
  }
  return RTNORM;
}

namespace sim {

int64_t liveBlocks() {
  return detail::tallyTotal(detail::Tally::BlocksMade) -
         detail::tallyTotal(detail::Tally::BlocksReleased);
}

int64_t liveResbufs() {
  return detail::tallyTotal(detail::Tally::ResbufsMade) -
         detail::tallyTotal(detail::Tally::ResbufsReleased);
}

std::vector<std::string> memoryProblems() {
  MemoryProblems& problems = detail::session<MemoryProblems>();
  std::lock_guard<std::mutex> lock(problems.guard);
  return problems.lines;
}

} // namespace sim
