// The owned, NUL-terminated text copy that fields, records and tables keep for each of their
// texts: absent (null) or a private copy made when it is assigned.
#pragma once

#include <cstring>

namespace qv {

class OwnedText {
public:
  OwnedText() = default;
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  ~OwnedText() { delete[] text_; }

  // The text, or null while absent.
  const char* get() const { return text_; }
  // Stores a copy of text, or makes the text absent for null. The copy is made before the old
  // text is freed, so a text may be assigned from itself or from a part of itself.
  void assign(const char* text) {
    char* copy = nullptr;
    if (text != nullptr) {
      const size_t size = std::strlen(text) + 1;
      copy = new char[size];
      std::memcpy(copy, text, size);
    }
    delete[] text_;
    text_ = copy;
  }
  // Stores a copy of text, the empty text for null.
  void assignOrEmpty(const char* text) { assign(text != nullptr ? text : ""); }

private:
  char* text_ = nullptr;
};

} // namespace qv
