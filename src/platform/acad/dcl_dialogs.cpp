// The host's programmable dialogs: DCL files loaded, dialogs made, shown and ended, and their
// tiles. A shown dialog takes the person's steps from the queue of the user's answers.
#include "platform/acad/adsdlg.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/acad/internal/dcl_loader.h"
#include "platform/acad/sim_dcl.h"
#include "platform/internal/session.h"
#include "platform/internal/top_windows.h"

namespace sim::detail {
namespace {

// A tile of a dialog that a program can reach: one with a key.
struct DialogTile {
  const DclTile* source = nullptr;
  const DclTile* parent = nullptr; // the tile it sits in, keyed or not
  std::string key;
  std::string value;
  bool enabled = true;
  CLIENTFUNC action = nullptr;
  void* clientData = nullptr;
};

struct Dialog {
  std::string name;
  std::string file;
  uintptr_t window = 0; // its window, which holds its caption
  DclTile tree;         // owns what the tiles point into; never changed once made
  std::vector<DialogTile> tiles;
  CLIENTFUNC defaultAction = nullptr;
  std::string focus;
  bool started = false;
  bool done = false;
  int status = DLGCANCEL;
};

struct LoadedFile {
  std::string path;
  DclLibrary library;
};

struct DclSession {
  std::map<int, LoadedFile> files;
  int nextId = 1;
  std::vector<std::unique_ptr<Dialog>> dialogs; // made last at the back
  std::vector<sim::ShownDialog> shown;
  std::vector<std::string> errors;
};

DclSession& dcl() {
  return session<DclSession>();
}

Dialog* findDialog(ads_hdlg handle) {
  for (const std::unique_ptr<Dialog>& dialog : dcl().dialogs) {
    if (dialog.get() == handle) {
      return dialog.get();
    }
  }
  return nullptr;
}

DialogTile* findTile(Dialog* dialog, const char* key) {
  if (dialog == nullptr || key == nullptr) {
    return nullptr;
  }
  for (DialogTile& tile : dialog->tiles) {
    if (tile.key == key) {
      return &tile;
    }
  }
  return nullptr;
}

std::string captionOf(const Dialog& dialog) {
  const TopWindow* window = findTopWindow(dialog.window);
  return window != nullptr ? window->caption : std::string();
}

void discard(const Dialog* dialog) {
  closeTopWindow(dialog->window);
  auto& dialogs = dcl().dialogs;
  dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                               [dialog](const auto& held) { return held.get() == dialog; }),
                dialogs.end());
}

void collectTiles(const DclTile& tile, const DclTile* parent, std::vector<DialogTile>& out) {
  if (const std::string* key = tile.attribute("key")) {
    DialogTile reachable;
    reachable.source = &tile;
    reachable.parent = parent;
    reachable.key = *key;
    const std::string* value = tile.attribute("value");
    reachable.value = value != nullptr ? *value : std::string();
    const std::string* enabled = tile.attribute("is_enabled");
    reachable.enabled = enabled == nullptr || *enabled != "false";
    out.push_back(std::move(reachable));
  }
  for (const DclTile& child : tile.children) {
    collectTiles(child, &tile, out);
  }
}

bool isButton(const DialogTile& tile) {
  return tile.source->kind == "button" || tile.source->kind == "image_button";
}

bool isRadioCluster(const DclTile* tile) {
  return tile != nullptr && tile->kind.find("radio_") != std::string::npos;
}

// Sets a tile's value as the host does: a radio button turned on turns its neighbours off, and
// its cluster's value becomes its key.
void setValue(Dialog& dialog, DialogTile& tile, const std::string& value) {
  tile.value = value;
  if (tile.source->kind != "radio_button" || value != "1" || !isRadioCluster(tile.parent)) {
    return;
  }
  for (DialogTile& other : dialog.tiles) {
    if (&other != &tile && other.parent == tile.parent && other.source->kind == "radio_button") {
      other.value = "0";
    }
    if (other.source == tile.parent) {
      other.value = tile.key;
    }
  }
}

std::vector<sim::ShownTile> snapshot(const Dialog& dialog) {
  std::vector<sim::ShownTile> tiles;
  for (const DialogTile& tile : dialog.tiles) {
    tiles.push_back({tile.key, tile.source->kind, tile.value, tile.enabled});
  }
  return tiles;
}

void runCallback(Dialog& dialog, DialogTile& tile, CLIENTFUNC action, int reason) {
  std::vector<char> value(tile.value.begin(), tile.value.end());
  value.push_back('\0');
  ads_callback_packet packet{&dialog, &tile, value.data(), tile.clientData, reason, 0, 0};
  action(&packet);
}

// The status of a file's "(done_dialog [status])" action; false for any other AutoLISP.
bool doneDialogAction(const std::string& action, int& status) {
  std::string words;
  for (char c : action) {
    if (c != '(' && c != ')') {
      words.push_back(c);
    }
  }
  const size_t start = words.find_first_not_of(" \t");
  if (start == std::string::npos || words.compare(start, 11, "done_dialog") != 0) {
    return false;
  }
  const std::string rest = words.substr(start + 11);
  const size_t digit = rest.find_first_not_of(" \t");
  if (digit == std::string::npos) {
    status = DLGOK;
    return true;
  }
  try {
    size_t used = 0;
    status = std::stoi(rest.substr(digit), &used);
    return rest.find_first_not_of(" \t", digit + used) == std::string::npos;
  } catch (const std::exception&) {
    return false;
  }
}

// Runs the tile's action: the program's (ads_action_tile), else the file's, else the dialog's
// default. True when there was one.
bool runAction(Dialog& dialog, DialogTile& tile, int reason) {
  if (tile.action != nullptr) {
    runCallback(dialog, tile, tile.action, reason);
    return true;
  }
  if (const std::string* action = tile.source->attribute("action")) {
    int status = DLGOK;
    if (doneDialogAction(*action, status)) {
      dialog.done = true;
      dialog.status = status;
    }
    return true;
  }
  if (dialog.defaultAction != nullptr) {
    runCallback(dialog, tile, dialog.defaultAction, reason);
    return true;
  }
  return false;
}

bool cancels(const DialogTile& tile) {
  return tile.source->isTrue("is_cancel") || tile.key == "cancel";
}

bool accepts(const DialogTile& tile) {
  return tile.source->isTrue("is_default") || tile.key == "accept";
}

void press(Dialog& dialog, DialogTile& tile) {
  const bool acted = runAction(dialog, tile, CBR_SELECT);
  if (dialog.done) {
    return;
  }
  if (cancels(tile)) { // ends the dialog even when its action does not
    dialog.done = true;
    dialog.status = DLGCANCEL;
  } else if (!acted && accepts(tile)) {
    dialog.done = true;
    dialog.status = DLGOK;
  }
}

void escape(Dialog& dialog) {
  for (DialogTile& tile : dialog.tiles) {
    if (isButton(tile) && tile.source->isTrue("is_cancel")) {
      runAction(dialog, tile, CBR_SELECT);
      break;
    }
  }
  if (!dialog.done) {
    dialog.done = true;
    dialog.status = DLGCANCEL;
  }
}

// One step of the person; a step the dialog cannot take is reported as a misuse and skipped.
void step(Dialog& dialog, const sim::Answer& taken) {
  if (taken.kind == sim::Answer::Kind::Cancel) {
    escape(dialog);
    return;
  }
  DialogTile* tile = findTile(&dialog, taken.key.c_str());
  const bool pressing = taken.kind == sim::Answer::Kind::Press;
  std::string problem;
  if (tile == nullptr) {
    problem = "has no tile \"" + taken.key + "\"";
  } else if (!tile->enabled) {
    problem = "has its tile \"" + taken.key + "\" disabled";
  } else if (pressing != isButton(*tile)) {
    problem = std::string("cannot ") + (pressing ? "press" : "set") + " its " + tile->source->kind +
              " \"" + taken.key + "\"";
  }
  if (!problem.empty()) {
    reportMisuse("ads_start_dialog: the dialog \"" + dialog.name + "\" " + problem);
    return;
  }
  if (pressing) {
    press(dialog, *tile);
    return;
  }
  std::string value = taken.value;
  if (tile->source->kind == "edit_box") { // the box takes no more than its limit
    const std::string* limit = tile->source->attribute("edit_limit");
    const int most = std::clamp(limit != nullptr ? std::atoi(limit->c_str()) : 132, 1, 256);
    value.resize(std::min(value.size(), static_cast<size_t>(most)));
  }
  setValue(dialog, *tile, value);
  runAction(dialog, *tile, tile->source->kind == "edit_box" ? CBR_LOST_FOCUS : CBR_SELECT);
}

int copyText(const std::string& text, char* out, int length) {
  if (out == nullptr || length <= 0) {
    return RTERROR;
  }
  const size_t copied = std::min(text.size(), static_cast<size_t>(length) - 1);
  std::memcpy(out, text.data(), copied);
  out[copied] = '\0';
  return RTNORM;
}

int newDialog(const char* name, int id, CLIENTFUNC action, ads_hdlg* handle) {
  if (handle != nullptr) {
    *handle = BAD_DIALOG;
  }
  DclSession& state = dcl();
  const auto file = state.files.find(id);
  if (shouldFail(FailableCall::ads_new_dialog) || name == nullptr || handle == nullptr ||
      file == state.files.end() || file->second.library.count(name) == 0) {
    return RTERROR;
  }
  try {
    auto dialog = std::make_unique<Dialog>();
    std::string error;
    if (!expandDcl(file->second.library, name, dialog->tree, error) ||
        dialog->tree.kind != "dialog") {
      return RTERROR;
    }
    dialog->name = name;
    dialog->file = file->second.path;
    const std::string* label = dialog->tree.attribute("label");
    const std::string* focus = dialog->tree.attribute("initial_focus");
    dialog->focus = focus != nullptr ? *focus : std::string();
    dialog->defaultAction = action;
    collectTiles(dialog->tree, nullptr, dialog->tiles);
    state.dialogs.push_back(std::move(dialog));
    state.dialogs.back()->window = openTopWindow(label != nullptr ? *label : std::string());
    *handle = state.dialogs.back().get();
    return RTNORM;
  } catch (const std::bad_alloc&) {
    *handle = BAD_DIALOG;
    return RTERROR;
  }
}

} // namespace
} // namespace sim::detail

using namespace sim::detail;

int ads_load_dialog(const char* dclfile, int* dcl_id) {
  StandInCall inside;
  if (dcl_id != nullptr) {
    *dcl_id = -1;
  }
  if (shouldFail(FailableCall::ads_load_dialog) || dclfile == nullptr || dcl_id == nullptr) {
    return RTERROR;
  }
  DclSession& state = dcl();
  const std::string path = findDclFile(dclfile);
  if (path.empty()) {
    state.errors.push_back(std::string("Dialog file \"") + dclfile + "\" not found");
    return RTERROR;
  }
  LoadedFile loaded{path, {}};
  std::string error;
  if (!loadDclFile(path, loaded.library, error)) {
    state.errors.push_back(error);
    return RTERROR;
  }
  *dcl_id = state.nextId++;
  state.files.emplace(*dcl_id, std::move(loaded));
  return RTNORM;
}

int ads_unload_dialog(int dcl_id) {
  StandInCall inside;
  return dcl().files.erase(dcl_id) == 1 ? RTNORM : RTERROR;
}

int ads_new_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def, ads_hdlg* hdlg) {
  StandInCall inside;
  return newDialog(dlgname, dcl_id, def, hdlg);
}

int ads_new_positioned_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def, int x, int y,
                              ads_hdlg* hdlg) {
  StandInCall inside;
  (void)x; // a dialog shown headless has no place
  (void)y;
  return newDialog(dlgname, dcl_id, def, hdlg);
}

int ads_start_dialog(ads_hdlg hdlg, int* status) {
  StandInCall inside;
  Dialog* dialog = findDialog(hdlg);
  if (dialog == nullptr || dialog->started || status == nullptr) {
    return RTERROR;
  }
  if (shouldFail(FailableCall::ads_start_dialog)) {
    discard(dialog); // a dialog that cannot be shown is gone
    return RTERROR;
  }
  dialog->started = true;
  sim::ShownDialog record;
  record.name = dialog->name;
  record.file = dialog->file;
  record.atStart = snapshot(*dialog);
  record.focusAtStart = dialog->focus;
  // Every step of the person's takes an answer; the dialog is one question asked.
  for (bool first = true; !dialog->done; first = false) {
    const sim::Answer taken = takeAnswer(
        {"ads_start_dialog", sim::Answer::Kind::Press, captionOf(*dialog), "", dialog->name, 0},
        sim::Answer::Kind::Tile, first);
    step(*dialog, taken);
  }
  record.caption = captionOf(*dialog);
  record.atEnd = snapshot(*dialog);
  record.status = dialog->status;
  *status = dialog->status;
  discard(dialog);
  dcl().shown.push_back(std::move(record));
  return RTNORM;
}

int ads_term_dialog() {
  StandInCall inside;
  auto& dialogs = dcl().dialogs;
  for (const std::unique_ptr<Dialog>& dialog : dialogs) {
    dialog->done = true;
    dialog->status = DLGALLDONE;
  }
  // Those shown go when their ads_start_dialog returns; those not shown go now.
  for (const std::unique_ptr<Dialog>& dialog : dialogs) {
    if (!dialog->started) {
      closeTopWindow(dialog->window);
    }
  }
  dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                               [](const auto& dialog) { return !dialog->started; }),
                dialogs.end());
  return RTNORM;
}

int ads_done_dialog(ads_hdlg hdlg, int status) {
  StandInCall inside;
  Dialog* dialog = findDialog(hdlg);
  if (shouldFail(FailableCall::ads_done_dialog) || dialog == nullptr || !dialog->started) {
    return RTERROR;
  }
  if (!dialog->done) {
    dialog->done = true;
    dialog->status = status;
  }
  return RTNORM;
}

int ads_done_positioned_dialog(ads_hdlg hdlg, int status, int* x_result, int* y_result) {
  const int result = ads_done_dialog(hdlg, status);
  if (result == RTNORM && x_result != nullptr && y_result != nullptr) {
    *x_result = -1; // centred: a dialog shown headless has no place
    *y_result = -1;
  }
  return result;
}

int ads_action_tile(ads_hdlg hdlg, const char* key, CLIENTFUNC tileaction) {
  StandInCall inside;
  DialogTile* tile = findTile(findDialog(hdlg), key);
  if (shouldFail(FailableCall::ads_action_tile) || tile == nullptr) {
    return RTERROR;
  }
  tile->action = tileaction;
  return RTNORM;
}

int ads_client_data_tile(ads_hdlg hdlg, const char* key, void* clientdata) {
  StandInCall inside;
  DialogTile* tile = findTile(findDialog(hdlg), key);
  if (shouldFail(FailableCall::ads_client_data_tile) || tile == nullptr) {
    return RTERROR;
  }
  tile->clientData = clientdata;
  return RTNORM;
}

int ads_set_tile(ads_hdlg hdlg, const char* key, const char* value) {
  StandInCall inside;
  Dialog* dialog = findDialog(hdlg);
  DialogTile* tile = findTile(dialog, key);
  if (shouldFail(FailableCall::ads_set_tile) || tile == nullptr || value == nullptr) {
    return RTERROR;
  }
  try {
    setValue(*dialog, *tile, value);
  } catch (const std::bad_alloc&) {
    return RTERROR;
  }
  return RTNORM;
}

int ads_get_tile(ads_hdlg hdlg, const char* key, char* value, int maxlen) {
  StandInCall inside;
  const DialogTile* tile = findTile(findDialog(hdlg), key);
  if (shouldFail(FailableCall::ads_get_tile) || tile == nullptr) {
    return RTERROR;
  }
  return copyText(tile->value, value, maxlen);
}

int ads_get_attr(ads_hdlg hdlg, const char* key, char* attr, char* value, int len) {
  StandInCall inside;
  const DialogTile* tile = findTile(findDialog(hdlg), key);
  if (shouldFail(FailableCall::ads_get_attr) || tile == nullptr || attr == nullptr) {
    return RTERROR;
  }
  const std::string* held = tile->source->attribute(attr);
  return copyText(held != nullptr ? *held : std::string(), value, len);
}

int ads_get_attr_string(ads_htile tile, char* attr, char* value, int len) {
  StandInCall inside;
  for (const std::unique_ptr<Dialog>& dialog : dcl().dialogs) {
    for (const DialogTile& held : dialog->tiles) {
      if (&held == tile && attr != nullptr) {
        const std::string* text = held.source->attribute(attr);
        return copyText(text != nullptr ? *text : std::string(), value, len);
      }
    }
  }
  return RTERROR;
}

int ads_mode_tile(ads_hdlg hdlg, const char* key, short mode) {
  StandInCall inside;
  Dialog* dialog = findDialog(hdlg);
  DialogTile* tile = findTile(dialog, key);
  if (shouldFail(FailableCall::ads_mode_tile) || tile == nullptr || mode < MODE_ENABLE ||
      mode > MODE_FLIP) {
    return RTERROR;
  }
  if (mode == MODE_ENABLE || mode == MODE_DISABLE) {
    tile->enabled = mode == MODE_ENABLE;
    if (!tile->enabled && dialog->focus == tile->key) {
      dialog->focus.clear(); // a disabled tile cannot keep the focus
    }
  } else if (mode == MODE_SETFOCUS || mode == MODE_SETSEL) {
    dialog->focus = tile->key;
  }
  return RTNORM;
}

namespace sim {

std::vector<ShownDialog> shownDialogs() {
  return detail::dcl().shown;
}

int loadedDialogs() {
  return static_cast<int>(detail::dcl().files.size());
}

int openDialogs() {
  return static_cast<int>(detail::dcl().dialogs.size());
}

std::vector<std::string> dclErrors() {
  return detail::dcl().errors;
}

} // namespace sim
