// The family's alert and string dialogs over the host's DCL calls.
#include "dialogs/message_dialogs.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "dialogs/internal/dialog_folders.h"
#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/adsdlg.h"
#include "platform/win/winuser.h"

namespace qv {

namespace {

constexpr size_t kLongestDialogMessage = 50;
constexpr const char* kFamilyDialogFile = "qvanfile.dcl";

// The string dialog's pending answer: how much the caller takes, and the text read by "ok". The
// caller's buffer is written only after the dialog ended with OK, so that a dialog that could not
// be ended after the read still leaves it as it was.
struct PendingAnswer {
  int maxLength = 0;
  std::vector<char> text;
  bool read = false;
};
PendingAnswer* pending = nullptr;

void endWithOk(ads_callback_packet* packet) {
  ads_done_dialog(packet->dialog, DLGOK);
}

// "ok" of qvan_get_string. A box that cannot be read keeps the dialog open.
void acceptString(ads_callback_packet* packet) {
  if (pending != nullptr &&
      ads_get_tile(packet->dialog, "value", pending->text.data(), pending->maxLength) == RTNORM) {
    pending->read = true;
    ads_done_dialog(packet->dialog, DLGOK);
  }
}

// Shows the message in qvan_alert; false when the dialog could not be shown.
bool showFamilyAlert(const char* message) {
  if (!dialogfiles::readFolderSymbol("lspdir$", lispFolder)) { // no mc_lspdir$ here
    return false;
  }
  const std::string file = std::string(lispFolder) + kFamilyDialogFile;
  int id = -1;
  if (ads_load_dialog(file.c_str(), &id) != RTNORM) {
    return false;
  }
  ads_hdlg dialog = BAD_DIALOG;
  if (ads_new_dialog("qvan_alert", id, NULLCB, &dialog) != RTNORM) {
    ads_unload_dialog(id);
    return false;
  }
  // A dialog made must be run to be gone; one that could not take the message does not count.
  const bool holdsMessage = ads_set_tile(dialog, "msg", message) == RTNORM;
  ads_action_tile(dialog, "ok", endWithOk);
  int status = DLGCANCEL;
  const bool shown = ads_start_dialog(dialog, &status) == RTNORM;
  ads_unload_dialog(id);
  return shown && holdsMessage;
}

} // namespace

void showAlert(const char* message) {
  const char* text = message != nullptr ? message : "";
  bool shown = false;
  try {
    if (std::strlen(text) <= kLongestDialogMessage && std::strchr(text, '\n') == nullptr) {
      shown = showFamilyAlert(text);
    }
  } catch (const std::bad_alloc&) {
    shown = false;
  }
  if (!shown) {
    acedAlert(text);
  }
}

int askString(const char* prompt, const char* title, char* output, int maxLength) {
  return askString(prompt, title, nullptr, output, maxLength);
}

int askString(const char* prompt, const char* title, const char* initial, char* output,
              int maxLength) {
  if (output == nullptr || maxLength < 1) {
    return RTERROR;
  }
  try {
    PendingAnswer answer;
    answer.maxLength = maxLength;
    answer.text.assign(static_cast<size_t>(maxLength), '\0');
    getLispString(lispFolder, "lspdir$");
    const std::string file = std::string(lispFolder) + kFamilyDialogFile;
    int id = -1;
    ads_hdlg dialog = BAD_DIALOG;
    if (ads_load_dialog(file.c_str(), &id) != RTNORM) {
      acutPrintf("Can not load a dialog definition\n");
      return RTERROR;
    }
    if (ads_new_dialog("qvan_get_string", id, NULLCB, &dialog) != RTNORM) {
      ads_unload_dialog(id);
      acutPrintf("Can not load a dialog definition\n");
      return RTERROR;
    }
    PendingAnswer* const outer = pending; // a string dialog asked from another one's action
    pending = &answer;
    ads_set_tile(dialog, "prompt", prompt != nullptr ? prompt : "");
    if (initial != nullptr) {
      ads_set_tile(dialog, "value", initial);
    }
    ads_action_tile(dialog, "ok", acceptString);
    if (title != nullptr) {
      SetWindowTextA(GetActiveWindow(), title);
    }
    int status = DLGCANCEL;
    const int started = ads_start_dialog(dialog, &status);
    pending = outer;
    ads_unload_dialog(id);
    if (started != RTNORM) {
      return RTERROR;
    }
    if (status != DLGOK) {
      return RTCAN;
    }
    if (!answer.read) { // accepted by the button's default, with the box never read
      return RTERROR;
    }
    std::memcpy(output, answer.text.data(), std::strlen(answer.text.data()) + 1);
    return RTNORM;
  } catch (const std::bad_alloc&) {
    return RTERROR;
  }
}

} // namespace qv
