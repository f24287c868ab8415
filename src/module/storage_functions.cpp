// Drawing storage and registry settings as AutoLISP functions: texts kept in the drawing under a
// key path, and string settings in the family's registry key.
#include <cstring>

#include "host/result_lists.h"
#include "module/lisp_args.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "records/drawing_storage.h"
#include "settings/settings_store.h"

namespace qv {

namespace {

// The text of the path's entry (its first group-1 item) as a new list the caller releases, and
// that item through text; null when the entry is missing or holds no text.
resbuf* readEntryText(const char* keyPath, const char** text) {
  resbuf* entry = readStorageEntry(keyPath, nullptr);
  const resbuf* item = findResbufByType(entry, 1);
  if (item == nullptr || item->resval.rstring == nullptr) {
    acutRelRb(entry);
    return nullptr;
  }
  *text = item->resval.rstring;
  return entry;
}

} // namespace

int lispStorageWrite() {
  LispArgs args;
  const char* keyPath = nullptr;
  const char* text = nullptr;
  if (!args.text(keyPath) || !args.text(text) || !args.done()) {
    return acedRetNil();
  }
  writeStorageText(keyPath, text, nullptr);
  // The store reports a refusal with its own alert and answers nothing: the entry read back
  // tells whether the text is kept.
  const char* kept = nullptr;
  resbuf* entry = readEntryText(keyPath, &kept);
  const bool same = entry != nullptr && std::strcmp(kept, text) == 0;
  acutRelRb(entry);
  return same ? acedRetT() : acedRetNil();
}

int lispStorageRead() {
  LispArgs args;
  const char* keyPath = nullptr;
  if (!args.text(keyPath) || !args.done()) {
    return acedRetNil();
  }
  const char* text = nullptr;
  resbuf* entry = readEntryText(keyPath, &text);
  const int status = entry != nullptr ? acedRetStr(text) : acedRetNil();
  acutRelRb(entry);
  return status;
}

int lispSettingWrite() {
  LispArgs args;
  const char* name = nullptr;
  const char* text = nullptr;
  int perUser = 1;
  if (!args.text(name) || !args.text(text) || !args.optionalInteger(perUser) || !args.done()) {
    return acedRetNil();
  }
  return writeSettingString(name, text, perUser) == 0 ? acedRetT() : acedRetNil();
}

int lispSettingRead() {
  LispArgs args;
  const char* name = nullptr;
  int perUser = 1;
  if (!args.text(name) || !args.optionalInteger(perUser) || !args.done()) {
    return acedRetNil();
  }
  char text[settingTextSize];
  return acedRetStr(readSettingString(name, text, perUser));
}

} // namespace qv
