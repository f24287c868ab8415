// The host allocator and result buffers, with the live counts and release checks of the stand-in.
#include "platform/acad/acutads.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "platform/acad/internal/rb_kinds.h"
#include "platform/internal/session.h"
#include "platform/sim.h"

namespace {

struct MemoryLedger {
  std::mutex guard;
  std::unordered_map<void*, size_t> blocks;
  std::unordered_set<resbuf*> resbufs;
  std::vector<std::string> problems;
};

MemoryLedger& ledger() {
  return sim::detail::session<MemoryLedger>();
}

void report(MemoryLedger& memory, const char* what, const void* pointer) {
  char line[128];
  std::snprintf(line, sizeof line, "%s %p", what, pointer);
  memory.problems.emplace_back(line);
  std::fprintf(stderr, "stand-in host: %s\n", line);
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
  const sim::detail::StandInCall inCall;
  if (sim::detail::shouldFail("acad_malloc")) {
    return nullptr;
  }
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) {
    MemoryLedger& memory = ledger();
    std::lock_guard<std::mutex> lock(memory.guard);
    memory.blocks[block] = size;
  }
  return block;
}

void* acad_realloc(void* block, size_t size) {
  const sim::detail::StandInCall inCall;
  if (block == nullptr) {
    return acad_malloc(size);
  }
  MemoryLedger& memory = ledger();
  {
    std::lock_guard<std::mutex> lock(memory.guard);
    if (memory.blocks.find(block) == memory.blocks.end()) {
      report(memory, "acad_realloc of a block the host never handed out:", block);
      return nullptr;
    }
  }
  if (sim::detail::shouldFail("acad_realloc")) {
    return nullptr;
  }
  void* moved = std::realloc(block, size == 0 ? 1 : size);
  if (moved != nullptr) {
    std::lock_guard<std::mutex> lock(memory.guard);
    memory.blocks.erase(block);
    memory.blocks[moved] = size;
  }
  return moved;
}

void acad_free(void* block) {
  const sim::detail::StandInCall inCall;
  if (block == nullptr) {
    return;
  }
  MemoryLedger& memory = ledger();
  {
    std::lock_guard<std::mutex> lock(memory.guard);
    if (memory.blocks.erase(block) == 0) {
      report(memory, "acad_free of a block not live (freed twice, or never handed out):", block);
      return;
    }
  }
  std::free(block);
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
  if (sim::detail::shouldFail("acutNewRb")) {
    return nullptr;
  }
  auto* item = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (item == nullptr) {
    return nullptr;
  }
  item->restype = static_cast<short>(type);
  MemoryLedger& memory = ledger();
  std::lock_guard<std::mutex> lock(memory.guard);
  memory.resbufs.insert(item);
  return item;
}

int acutRelRb(resbuf* list) {
  MemoryLedger& memory = ledger();
  while (list != nullptr) {
    {
      std::lock_guard<std::mutex> lock(memory.guard);
      if (memory.resbufs.erase(list) == 0) {
        report(memory,
               "acutRelRb of a result buffer not live (released twice, or not the host's):", list);
        return RTNORM;
      }
    }
    resbuf* next = list->rbnext; // read only once the buffer is known to be live
    releaseValue(list);
    std::free(list);
    list = next;
  }
  return RTNORM;
}

namespace sim {

int64_t liveBlocks() {
  MemoryLedger& memory = ledger();
  std::lock_guard<std::mutex> lock(memory.guard);
  return static_cast<int64_t>(memory.blocks.size());
}

int64_t liveResbufs() {
  MemoryLedger& memory = ledger();
  std::lock_guard<std::mutex> lock(memory.guard);
  return static_cast<int64_t>(memory.resbufs.size());
}

std::vector<std::string> memoryProblems() {
  MemoryLedger& memory = ledger();
  std::lock_guard<std::mutex> lock(memory.guard);
  return memory.problems;
}

} // namespace sim
