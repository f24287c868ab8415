// Enabling a dialog's tiles, and copying its values to and from a record.
#include <new>
#include <string>
#include <vector>

#include "dialogs/dialog_values.h"
#include "dialogs/internal/dialog_folders.h"
#include "dialogs/internal/tile_text.h"
#include "dialogs/tile_scan.h"

namespace qv {

namespace {

// Every key of the dialog's headers, in file order; empty when a folder or the file is missing.
std::vector<TileKeys> keysOf(const char* dclName, const char* dialogName, bool ignoreCase) {
  std::vector<TileKeys> bodies;
  if (dclName != nullptr && dialogName != nullptr && dialogfiles::refreshFolders(false)) {
    scanDialogTiles(dialogfiles::dclPath(dclName).c_str(), dialogName, ignoreCase, bodies);
  }
  return bodies;
}

} // namespace

void enableDialogTiles(ads_hdlg hdlg, const char* dclName, const char* dialogName) {
  try {
    for (const TileKeys& keys : keysOf(dclName, dialogName, false)) {
      for (const std::string& key : keys) {
        ads_mode_tile(hdlg, key.c_str(), MODE_ENABLE);
      }
    }
  } catch (const std::bad_alloc&) {
    // The tiles enabled so far stay enabled.
  }
}

void saveDialogValuesToRecord(ads_hdlg hdlg, const char* dclName, const char* dialogName,
                              IQvUniRecord* record) {
  if (record == nullptr) {
    return;
  }
  try {
    std::string value;
    for (const TileKeys& keys : keysOf(dclName, dialogName, true)) {
      for (const std::string& key : keys) {
        if (dialogfiles::readTileValue(hdlg, key.c_str(), value) == RTNORM) {
          record->setField(key.c_str(), value.c_str(), 1, nullptr);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    // The fields set so far stay set.
  }
}

void restoreDialogValuesFromRecord(ads_hdlg hdlg, const char* dclName, const char* dialogName,
                                   const IQvUniRecord* record) {
  (void)dclName;
  (void)dialogName;
  if (record == nullptr) {
    return;
  }
  for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
    if (field->getName() != nullptr && field->getValue() != nullptr) {
      ads_set_tile(hdlg, field->getName(), field->getValue());
    }
  }
}

} // namespace qv
