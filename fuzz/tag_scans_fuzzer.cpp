// Compares the record-table reader's two scans of a tag: the one-pass scan of tags written as
// writers write them, which a copy of the text gets, against the general scan alone, which the
// text scanned in place gets. Both must take the same tags, with the same element name and the
// same attributes; any difference aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "records/internal/tag_view.h"

namespace {

// The value a lookup found, or "<none>".
std::string found(const qv::AttributeWant& want) {
  return want.end == nullptr ? "<none>" : std::string(want.value, want.end);
}

// The names the readers ask for, and the first attribute's own name, so that any name counts.
void compareAttributes(const qv::TagView& copied, const qv::TagView& inPlace) {
  std::vector<std::string> names = {"id", "name", "value", "type", "desc"};
  if (copied.seenCount > 0) {
    names.emplace_back(copied.seen[0].name, copied.seen[0].nameLength);
  }
  for (const std::string& name : names) {
    qv::AttributeWant fromCopy{name.c_str(), name.size()};
    qv::AttributeWant fromPlace{name.c_str(), name.size()};
    qv::findAttributes(copied, &fromCopy, 1);
    qv::findAttributes(inPlace, &fromPlace, 1);
    if (found(fromCopy) != found(fromPlace)) {
      std::abort();
    }
    // A value noted as plain holds nothing to unescape.
    if (fromCopy.plain && found(fromCopy).find_first_of("&\\") != std::string::npos) {
      std::abort();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A file's text holds no NUL: the text ends at the first.
  const auto* bytes = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(bytes, '\0', size);
  const std::string text(bytes, nul != nullptr ? static_cast<const char*>(nul) - bytes : size);
  qv::QvScanBuffer copy;
  copy.assign(text.c_str());
  std::vector<char> place(text.begin(), text.end());
  place.push_back('\0');
  qv::QvScanBuffer inPlace;
  inPlace.borrow(place.data(), text.size());
  for (;;) {
    qv::TagView fromCopy;
    qv::TagView fromPlace;
    const int tookCopy =
        qv::takeTagQuickly(copy, fromCopy) ? 1 : qv::takeTag(nullptr, copy, fromCopy);
    const int tookPlace = qv::takeTag(nullptr, inPlace, fromPlace);
    if (tookCopy != tookPlace) {
      std::abort();
    }
    if (tookCopy == 0) {
      break;
    }
    if (std::string(fromCopy.text) != fromPlace.text || copy.pos != inPlace.pos ||
        qv::elementNameLength(fromCopy) != qv::elementNameLength(fromPlace.text)) {
      std::abort();
    }
    compareAttributes(fromCopy, fromPlace);
  }
  inPlace.unmark();
  if (std::memcmp(place.data(), text.data(), text.size()) != 0) {
    std::abort(); // the text scanned in place is given back as it was
  }
  return 0;
}
