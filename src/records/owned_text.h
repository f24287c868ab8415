// The owned, NUL-terminated text copy that fields, records and tables keep for each of their
// texts: absent (null) or a private copy made when it is assigned.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>

#include "records/allocation_watch.h"

namespace qv {

// Short texts (the usual names, ids and values) are kept inside the object, so that a field is
// one allocation and looking up a field by name touches no memory beyond the field itself.
// Longer texts go to a buffer of their own.
class OwnedText {
public:
  OwnedText() = default;
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  ~OwnedText() { freeHeap(); }

  // The text, or null while absent.
  const char* get() const {
    return state_ == kAbsent ? nullptr : (state_ == kLocal ? local_ : heap_);
  }
  // Stores a copy of text, or makes the text absent for null. The copy is made before the old
  // text is freed, so a text may be assigned from itself or from a part of itself. When memory
  // runs out the old text stays, the failure is noted for the thread and the answer is false.
  bool assign(const char* text) {
    if (text == nullptr) {
      freeHeap();
      state_ = kAbsent;
      return true;
    }
    return assign(text, std::strlen(text));
  }
  // The same for the length characters at text, which hold no NUL.
  bool assign(const char* text, size_t length) {
    const size_t size = length + 1;
    if (length < sizeof local_) {
      // Through a copy: the text may be a part of the local copy itself.
      char copy[sizeof local_] = {};
      copyShort(copy, text, length);
      freeHeap();
      std::memcpy(local_, copy, sizeof local_);
      state_ = kLocal;
      return true;
    }
    char* copy = new (std::nothrow) char[size];
    if (copy == nullptr) {
      noteAllocationFailure();
      return false;
    }
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    freeHeap();
    heap_ = copy;
    state_ = kHeap;
    return true;
  }
  // assign(text, length) for a text that is still absent, which text then cannot be a part of:
  // a short one is copied straight in.
  bool assignFresh(const char* text, size_t length) {
    if (state_ != kAbsent || length >= sizeof local_) {
      return assign(text, length);
    }
    copyShort(local_, text, length);
    local_[length] = '\0';
    state_ = kLocal;
    return true;
  }
  // Stores a copy of text, the empty text for null.
  bool assignOrEmpty(const char* text) { return assign(text != nullptr ? text : ""); }

private:
  static constexpr uint8_t kAbsent = 0;
  static constexpr uint8_t kLocal = 1;
  static constexpr uint8_t kHeap = 2;

  // Copies length (below the local size) bytes in a few fixed-size moves, overlapping where the
  // length is not a multiple of them: a reader stores millions of short texts, and a call to the
  // C library's copy for each costs more than the copy.
  static void copyShort(char* to, const char* from, size_t length) {
    if (length >= 8) {
      uint64_t head = 0;
      uint64_t middle = 0;
      uint64_t tail = 0;
      std::memcpy(&head, from, 8);
      std::memcpy(&tail, from + length - 8, 8);
      if (length > 16) {
        std::memcpy(&middle, from + 8, 8);
        std::memcpy(to + 8, &middle, 8);
      }
      std::memcpy(to, &head, 8);
      std::memcpy(to + length - 8, &tail, 8);
    } else if (length >= 4) {
      uint32_t head = 0;
      uint32_t tail = 0;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + length - 4, 4);
      std::memcpy(to, &head, 4);
      std::memcpy(to + length - 4, &tail, 4);
    } else {
      for (size_t i = 0; i < length; ++i) {
        to[i] = from[i];
      }
    }
  }

  void freeHeap() {
    if (state_ == kHeap) {
      delete[] heap_;
      state_ = kAbsent;
    }
  }

  union {
    char* heap_;
    char local_[23];
  };
  uint8_t state_ = kAbsent;
};

} // namespace qv
