// The translation table (256 buckets of ordered entry lists, by the sum of the source's bytes) and
// the loader of translation files.
#include "text/translation.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/acad/acutads.h"
#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/string_win.h"
#include "platform/win/windows.h"
#include "text/control_escape.h"

namespace qv {

namespace {

struct TranslationEntry {
  char* source = nullptr;
  char* marker = nullptr;
  char* translation = nullptr;
  TranslationEntry* next = nullptr;
};

// Lines keep this many characters.
constexpr size_t kLineLimit = 254;

TranslationEntry* buckets[256];

unsigned bucketOf(const char* text) {
  unsigned sum = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
    sum += *p;
  }
  return sum % 256;
}

void freeEntry(TranslationEntry* entry) {
  acad_free(entry->source);
  acad_free(entry->marker);
  acad_free(entry->translation);
  delete entry;
}

bool sameMarker(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::strcmp(a, b) == 0;
}

// Puts the entry in its place: ascending source texts, equal sources by ascending marker. False
// when an entry of the same source text and marker is there already.
bool insertEntry(TranslationEntry* entry) {
  TranslationEntry** link = &buckets[bucketOf(entry->source)];
  for (; *link != nullptr; link = &(*link)->next) {
    const TranslationEntry* here = *link;
    const int order = std::strcmp(here->source, entry->source);
    if (order > 0) {
      break;
    }
    if (order == 0) {
      if (sameMarker(here->marker, entry->marker)) {
        return false;
      }
      if (here->marker != nullptr && entry->marker != nullptr &&
          std::strcmp(here->marker, entry->marker) > 0) {
        break;
      }
    }
  }
  entry->next = *link;
  *link = entry;
  return true;
}

// name is in capitals.
bool isKey(const char* key, const char* name) {
  return _stricmp(key, name) == 0;
}

// Reads one line of at most kLineLimit characters into line, dropping the rest of a longer line and
// the line end. False at the end of the file.
bool readLine(FILE* file, char (&line)[kLineLimit + 1]) {
  size_t length = 0;
  int c = std::fgetc(file);
  if (c == EOF) {
    return false;
  }
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    if (length < kLineLimit) {
      line[length++] = static_cast<char>(c);
    }
  }
  line[length] = '\0';
  // A lone carriage return can remain at the end of a line that came from elsewhere.
  const size_t visible = std::strlen(line);
  if (visible > 0 && line[visible - 1] == '\r') {
    line[visible - 1] = '\0';
  }
  return true;
}

// The entry being read: added to the table when the next ORIGINAL or the end of the file comes.
class PendingEntry {
public:
  PendingEntry() = default;
  PendingEntry(const PendingEntry&) = delete;
  PendingEntry& operator=(const PendingEntry&) = delete;
  ~PendingEntry() { finish(); }

  void start(const char* source) {
    finish();
    entry_ = new (std::nothrow) TranslationEntry;
    broken_ = entry_ == nullptr;
    if (entry_ != nullptr) {
      entry_->source = acad_strdup(source);
      broken_ = entry_->source == nullptr;
    }
  }

  void setMarker(const char* marker) {
    if (entry_ != nullptr) {
      acad_free(entry_->marker);
      entry_->marker = acad_strdup(marker);
      broken_ = broken_ || entry_->marker == nullptr;
    }
  }

  void setTranslation(const char* translation) {
    if (entry_ != nullptr) {
      acad_free(entry_->translation);
      entry_->translation = nullptr;
      if (*translation != '\0') {
        entry_->translation = acad_strdup(translation);
        broken_ = broken_ || entry_->translation == nullptr;
      }
    }
  }

  void finish() {
    if (entry_ != nullptr && (broken_ || !insertEntry(entry_))) {
      freeEntry(entry_);
    }
    entry_ = nullptr;
  }

private:
  TranslationEntry* entry_ = nullptr;
  bool broken_ = false;
};

} // namespace

int LoadTranslations(const char* path) {
  FILE* file = _fsopen(path, "r", _SH_DENYNO);
  if (file == nullptr) {
    return 0;
  }
  char line[kLineLimit + 1];
  char value[kLineLimit + 1];
  PendingEntry pending;
  while (readLine(file, line)) {
    char* equals = std::strchr(line, '=');
    if (equals == nullptr) {
      continue;
    }
    *equals = '\0';
    const char* raw = equals + 1;
    if (isKey(line, "ORIGINAL")) {
      UnescapeControl(raw, value);
      pending.start(value);
    } else if (isKey(line, "MARKER")) {
      pending.setMarker(raw);
    } else if (isKey(line, "TRANSLATION")) {
      UnescapeControl(raw, value);
      pending.setTranslation(value);
    }
  }
  pending.finish();
  std::fclose(file);
  return 1;
}

const char* Translate(const char* text, const char* marker) {
  if (text == nullptr) {
    return nullptr;
  }
  for (const TranslationEntry* entry = buckets[bucketOf(text)]; entry != nullptr;
       entry = entry->next) {
    const int order = std::strcmp(entry->source, text);
    if (order > 0) {
      break;
    }
    if (order == 0 && sameMarker(entry->marker, marker)) {
      return entry->translation != nullptr ? entry->translation : text;
    }
  }
  return text;
}

void UnloadTranslations() {
  for (TranslationEntry*& bucket : buckets) {
    while (bucket != nullptr) {
      TranslationEntry* next = bucket->next;
      freeEntry(bucket);
      bucket = next;
    }
  }
}

} // namespace qv
