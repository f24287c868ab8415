// Saving dialog values to the value files and reading them back.
#include "dialogs/dialog_values.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "dialogs/internal/dialog_folders.h"
#include "dialogs/internal/text_lines.h"
#include "dialogs/internal/tile_text.h"
#include "dialogs/internal/value_records.h"
#include "dialogs/tile_scan.h"
#include "support/file_rewrite.h"

namespace qv {

namespace {

using dialogfiles::Place;
using dialogfiles::ValueFile;

bool readsShared(int where) {
  return where != kValuesInDclFile;
}

bool readsDclFile(int where) {
  return where != kValuesInSharedFile;
}

// Calls take(key, value) for each record of the dialog in the file, in order, until it answers
// false. A missing or unreadable file has none.
template <class Take>
void forEachRecord(const std::string& path, const std::string& prefix, Take take) {
  FILE* in = dialogfiles::openForReading(path);
  if (in == nullptr) {
    return;
  }
  try {
    std::string line;
    std::string_view key;
    std::string_view value;
    while (dialogfiles::readLine(in, line)) {
      if (dialogfiles::readRecord(line, prefix, key, value) && !take(key, value)) {
        break;
      }
    }
  } catch (...) {
    std::fclose(in);
    throw;
  }
  std::fclose(in);
}

// The stored value of the key with the folders as they are (see readStoredTileValue).
bool findStoredValue(const char* dclName, const char* dialogName, int where, const char* key,
                     std::string& value) {
  const std::string prefix = dialogfiles::dialogPrefix(dclName, dialogName);
  bool found = false;
  for (Place place : {Place::shared, Place::perDcl}) {
    if (!(place == Place::shared ? readsShared(where) : readsDclFile(where))) {
      continue;
    }
    forEachRecord(dialogfiles::valueFile(place, dclName).path, prefix,
                  [&](std::string_view recordKey, std::string_view recordValue) {
                    if (recordKey != key) {
                      return true;
                    }
                    value.assign(recordValue);
                    found = true;
                    return false;
                  });
  }
  return found;
}

// The record of the key's current value as read(key, value) gives it, or of its stored one when
// read answers false.
template <class Read>
std::string currentRecord(const char* dclName, const char* dialogName, const char* key,
                          Read& read) {
  std::string value;
  if (!read(key, value)) {
    value.clear();
    findStoredValue(dclName, dialogName, kValuesInBothFiles, key, value);
  }
  return dialogfiles::recordLine(dclName, dialogName, key, value);
}

// Reads the tile's current value.
struct TileReader {
  ads_hdlg hdlg;
  bool operator()(const char* key, std::string& value) const {
    return dialogfiles::readTileValue(hdlg, key, value) == RTNORM;
  }
};

// Copies the old file's lines to out: those that keep(line) lets through as they are, and
// replacement in place of each of the others. False when the old file exists but cannot be read
// whole or a write failed, so that the rewrite is given up. replaced tells whether a line was
// replaced.
template <class Keep>
bool copyOldLines(const std::string& path, FILE* out, Keep keep, const std::string* replacement,
                  bool& replaced) {
  replaced = false;
  FILE* in = dialogfiles::openForReading(path);
  if (in == nullptr) {
    return dialogfiles::wasMissing();
  }
  bool written = true;
  try {
    std::string line;
    while (written && dialogfiles::readLine(in, line)) {
      if (keep(line)) {
        line.push_back('\n');
        written = std::fputs(line.c_str(), out) >= 0;
      } else if (replacement != nullptr) {
        written = std::fputs(replacement->c_str(), out) >= 0;
        replaced = true;
      }
    }
  } catch (...) {
    std::fclose(in);
    throw;
  }
  const bool whole = written && !std::ferror(in);
  std::fclose(in);
  return whole;
}

// Writes the body's records, then the file's records of other dialogs. True when the file was
// replaced.
template <class Read>
bool saveBody(const char* dclName, const char* dialogName, const TileKeys& keys,
              const ValueFile& file, Read& read) {
  QvFileRewrite rewrite(file.path.c_str(), file.tempPath.c_str());
  FILE* out = rewrite.file();
  if (out == nullptr) {
    return false;
  }
  for (const std::string& key : keys) {
    if (std::fputs(currentRecord(dclName, dialogName, key.c_str(), read).c_str(), out) < 0) {
      return false;
    }
  }
  const std::string prefix = dialogfiles::dialogPrefix(dclName, dialogName);
  const auto otherDialogs = [&prefix](const std::string& line) {
    return line.compare(0, prefix.size(), prefix) != 0;
  };
  bool replaced = false;
  return copyOldLines(file.path, out, otherDialogs, nullptr, replaced) && rewrite.commit() == 1;
}

Place placeOf(int shared) {
  return shared == 1 ? Place::shared : Place::perDcl;
}

// saveDialogValues with the values that read gives. 1 when the dialog was found and every one of
// its headers saved, else 0.
template <class Read>
int saveDialog(const char* dclName, const char* dialogName, int shared, Read& read) {
  if (dclName == nullptr || dialogName == nullptr) {
    return 0;
  }
  try {
    std::vector<TileKeys> bodies;
    if (!dialogfiles::refreshFolders(false) ||
        !scanDialogTiles(dialogfiles::dclPath(dclName).c_str(), dialogName, false, bodies)) {
      return 0;
    }
    const ValueFile file = dialogfiles::valueFile(placeOf(shared), dclName);
    bool saved = !bodies.empty();
    for (const TileKeys& keys : bodies) {
      saved = saveBody(dclName, dialogName, keys, file, read) && saved;
    }
    return saved ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0; // the rewrite in progress was given up: the old file stays
  }
}

// Calls take(key, value) for each record of the dialog in the files chosen by where, the shared
// file first. False when a folder symbol is unset.
template <class Take>
bool forEachDialogRecord(const char* dclName, const char* dialogName, int where, Take take) {
  if (!dialogfiles::refreshFolders(true)) {
    return false;
  }
  const std::string prefix = dialogfiles::dialogPrefix(dclName, dialogName);
  for (Place place : {Place::shared, Place::perDcl}) {
    if (place == Place::shared ? readsShared(where) : readsDclFile(where)) {
      forEachRecord(dialogfiles::valueFile(place, dclName).path, prefix,
                    [&take](std::string_view key, std::string_view value) {
                      take(key, value);
                      return true;
                    });
    }
  }
  return true;
}

} // namespace

void saveDialogValues(ads_hdlg hdlg, const char* dclName, const char* dialogName, int shared) {
  TileReader read{hdlg};
  saveDialog(dclName, dialogName, shared, read);
}

int saveDialogValueList(const char* dclName, const char* dialogName,
                        const std::vector<TileValue>& values, int shared) {
  const auto read = [&values](const char* key, std::string& value) {
    const auto found = std::find_if(values.begin(), values.end(),
                                    [key](const TileValue& each) { return each.key == key; });
    if (found == values.end()) {
      return false;
    }
    value = found->value;
    return true;
  };
  return saveDialog(dclName, dialogName, shared, read);
}

void saveTileValue(ads_hdlg hdlg, const char* dclName, const char* dialogName, const char* key,
                   int shared) {
  if (dclName == nullptr || dialogName == nullptr || key == nullptr) {
    return;
  }
  try {
    if (!dialogfiles::refreshFolders(false)) {
      return;
    }
    const ValueFile file = dialogfiles::valueFile(placeOf(shared), dclName);
    QvFileRewrite rewrite(file.path.c_str(), file.tempPath.c_str());
    FILE* out = rewrite.file();
    if (out == nullptr) {
      return;
    }
    TileReader read{hdlg};
    const std::string record = currentRecord(dclName, dialogName, key, read);
    const std::string start = dialogfiles::dialogPrefix(dclName, dialogName) + key + ",'";
    const auto otherTiles = [&start](const std::string& line) {
      return line.compare(0, start.size(), start) != 0;
    };
    bool replaced = false;
    if (!copyOldLines(file.path, out, otherTiles, &record, replaced)) {
      return;
    }
    if (replaced || std::fputs(record.c_str(), out) >= 0) {
      rewrite.commit();
    }
  } catch (const std::bad_alloc&) {
    // The rewrite in progress was given up: the old file stays.
  }
}

int restoreDialogValues(ads_hdlg hdlg, const char* dclName, const char* dialogName, int where) {
  if (dclName == nullptr || dialogName == nullptr) {
    return 0;
  }
  int set = 0;
  try {
    std::string key;
    std::string value;
    forEachDialogRecord(dclName, dialogName, where,
                        [&](std::string_view recordKey, std::string_view recordValue) {
                          key.assign(recordKey);
                          value.assign(recordValue);
                          if (ads_set_tile(hdlg, key.c_str(), value.c_str()) == RTNORM) {
                            set = 1;
                          }
                        });
  } catch (const std::bad_alloc&) {
    // What was set stays set.
  }
  return set;
}

int readDialogValues(const char* dclName, const char* dialogName, int where,
                     std::vector<TileValue>& values) {
  values.clear();
  if (dclName == nullptr || dialogName == nullptr) {
    return 0;
  }
  try {
    forEachDialogRecord(
        dclName, dialogName, where, [&values](std::string_view key, std::string_view value) {
          const auto found = std::find_if(values.begin(), values.end(),
                                          [key](const TileValue& each) { return each.key == key; });
          if (found != values.end()) {
            found->value.assign(value); // a later record wins
          } else {
            values.push_back({std::string(key), std::string(value)});
          }
        });
  } catch (const std::bad_alloc&) {
    values.clear();
  }
  return values.empty() ? 0 : 1;
}

int readStoredTileValue(const char* dclName, const char* dialogName, int where, const char* key,
                        char* output, size_t size) {
  const bool writable = output != nullptr && size > 0;
  if (writable) {
    output[0] = '\0';
  }
  if (dclName == nullptr || dialogName == nullptr || key == nullptr) {
    return 0;
  }
  try {
    dialogfiles::refreshKnownFolders();
    std::string value;
    if (!findStoredValue(dclName, dialogName, where, key, value)) {
      return 0;
    }
    if (writable) {
      const size_t copied = std::min(value.size(), size - 1);
      value.copy(output, copied);
      output[copied] = '\0';
    }
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

} // namespace qv
