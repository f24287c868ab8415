// The family's message and prompt dialogs and the memory of dialog values as AutoLISP functions.
// A script's own dialogs (new_dialog ... start_dialog) are out of the module's reach, so the
// memory travels as association lists of tile keys and values: the script sets its tiles from
// (cf:dialogrestore ...) and hands (cf:dialogsave ...) the values it read with get_tile.
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/dialog_values.h"
#include "dialogs/message_dialogs.h"
#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/adsdlg.h"

namespace qv {

namespace {

// Reads the association list ((key . value) ...) of texts, (key value) taken as well, into
// values. A malformed entry is refused as a wrong argument.
bool readTileValues(LispArgs& args, std::vector<TileValue>& values) {
  const resbuf* list = nullptr;
  if (!args.list(list)) {
    return false;
  }
  for (const resbuf* item = list != nullptr ? list->rbnext : nullptr;
       item != nullptr && item->restype != RTLE; item = skipValue(item)) {
    const resbuf* key = item->restype == RTLB ? item->rbnext : nullptr;
    const resbuf* value = key != nullptr ? key->rbnext : nullptr;
    if (value != nullptr && value->restype == RTDOTE) {
      value = value->rbnext;
    }
    if (key == nullptr || key->restype != RTSTR || value == nullptr || value->restype != RTSTR ||
        value->rbnext == nullptr || value->rbnext->restype != RTLE) {
      return args.refuse("consp", item);
    }
    values.push_back({key->resval.rstring, value->resval.rstring});
  }
  return true;
}

} // namespace

int lispAlert() {
  LispArgs args;
  const char* message = nullptr;
  if (!args.text(message) || !args.done()) {
    return acedRetNil();
  }
  showAlert(message);
  return acedRetNil();
}

int lispAskString() {
  LispArgs args;
  const char* prompt = nullptr;
  const char* initial = nullptr;
  const char* title = nullptr;
  if (!args.text(prompt) || !args.optionalText(initial) || !args.optionalText(title) ||
      !args.done()) {
    return acedRetNil();
  }
  std::vector<char> text(TILE_STR_LIMIT + 1, '\0'); // room for any tile value
  if (askString(prompt, title, initial, text.data(), static_cast<int>(text.size())) != RTNORM) {
    return acedRetNil();
  }
  return acedRetStr(text.data());
}

int lispTileValue() {
  LispArgs args;
  const char* dclName = nullptr;
  const char* dialogName = nullptr;
  const char* key = nullptr;
  int where = kValuesInBothFiles;
  if (!args.text(dclName) || !args.text(dialogName) || !args.text(key) ||
      !args.optionalInteger(where) || !args.done()) {
    return acedRetNil();
  }
  // The value comes cut to the buffer: a full buffer is read again in one twice its size.
  std::vector<char> value(256);
  while (readStoredTileValue(dclName, dialogName, where, key, value.data(), value.size()) == 1) {
    if (std::strlen(value.data()) < value.size() - 1) {
      return acedRetStr(value.data());
    }
    value.assign(value.size() * 2, '\0');
  }
  return acedRetNil();
}

int lispDialogRestore() {
  LispArgs args;
  const char* dclName = nullptr;
  const char* dialogName = nullptr;
  int where = kValuesInBothFiles;
  if (!args.text(dclName) || !args.text(dialogName) || !args.optionalInteger(where) ||
      !args.done()) {
    return acedRetNil();
  }
  std::vector<TileValue> values;
  if (readDialogValues(dclName, dialogName, where, values) != 1) {
    return acedRetNil();
  }
  LispResult result;
  result.open();
  for (const TileValue& each : values) {
    result.open();
    result.text(each.key.c_str());
    result.dot();
    result.text(each.value.c_str());
    result.close();
  }
  result.close();
  return result.answer();
}

int lispDialogSave() {
  LispArgs args;
  const char* dclName = nullptr;
  const char* dialogName = nullptr;
  std::vector<TileValue> values;
  int shared = 0;
  if (!args.text(dclName) || !args.text(dialogName) || !readTileValues(args, values) ||
      !args.optionalInteger(shared) || !args.done()) {
    return acedRetNil();
  }
  return saveDialogValueList(dclName, dialogName, values, shared) == 1 ? acedRetT() : acedRetNil();
}

} // namespace qv
