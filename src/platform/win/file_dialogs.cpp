// The common file dialogs: GetOpenFileNameA, GetSaveFileNameA and CommDlgExtendedError. The
// person's choice comes from the queue of the user's answers; the hook is called as Windows
// calls an Explorer-style hook.
#include "platform/win/commdlg.h"

#include <cstring>
#include <string>

#include "platform/internal/session.h"
#include "platform/internal/top_windows.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/internal/file_paths.h"
#include "platform/win/winerror.h"

namespace {

thread_local DWORD lastDialogError = 0;

BOOL failDialog(DWORD code) {
  lastDialogError = code;
  return FALSE;
}

// The filter as a text: each NUL of the pairs shown as '|', the final double NUL left out.
std::string filterText(LPCSTR filter) {
  std::string text;
  if (filter == nullptr) {
    return text;
  }
  for (const char* part = filter; *part != '\0'; part += std::strlen(part) + 1) {
    text += part;
    text += '|';
  }
  if (!text.empty()) {
    text.pop_back();
  }
  return text;
}

size_t nameStart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? 0 : cut + 1;
}

bool hasFolder(const std::string& path) {
  return nameStart(path) != 0;
}

std::string withSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/' && folder.back() != ':') {
    folder += '\\';
  }
  return folder;
}

struct PathFacts {
  bool resolves = false;
  bool exists = false;
  bool isDir = false;
  bool folderExists = false;
};

PathFacts factsOf(const std::string& path);

// The file the dialog shows first: the name offered, in its own folder or in the initial folder
// when that is one (Windows passes over an initial folder that is not there).
std::string offeredFile(const OPENFILENAMEA& ofn) {
  const std::string name(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
  if (hasFolder(name) || ofn.lpstrInitialDir == nullptr || !factsOf(ofn.lpstrInitialDir).isDir) {
    return name;
  }
  return withSeparator(ofn.lpstrInitialDir) + name;
}

// The full path of a choice: a bare name lies in the offered file's folder; a name without an
// extension takes the default one.
std::string chosenPath(const std::string& answer, const std::string& offered,
                       const OPENFILENAMEA& ofn) {
  std::string path = answer;
  if (!hasFolder(path)) {
    path = offered.substr(0, nameStart(offered)) + path;
  }
  const std::string name = path.substr(nameStart(path));
  if (name.find('.') == std::string::npos && ofn.lpstrDefExt != nullptr &&
      *ofn.lpstrDefExt != '\0') {
    path += '.';
    path += ofn.lpstrDefExt;
  }
  return path;
}

PathFacts factsOf(const std::string& path) {
  const sim::detail::ResolvedPath where = sim::detail::resolvePath(path.c_str());
  PathFacts facts;
  if (where.error != 0) {
    return facts;
  }
  const sim::detail::HostStat stat = sim::detail::hostStat(where.host);
  facts.resolves = true;
  facts.exists = stat.exists;
  facts.isDir = stat.isDir;
  facts.folderExists = where.parentExists;
  return facts;
}

UINT_PTR callHook(const OPENFILENAMEA& ofn, HWND dialog, UINT message, WPARAM wParam,
                  LPARAM lParam) {
  return (ofn.Flags & OFN_ENABLEHOOK) != 0 ? ofn.lpfnHook(dialog, message, wParam, lParam) : 0;
}

void notifyHook(OPENFILENAMEA& ofn, HWND dialog, UINT code) {
  OFNOTIFYA notice{};
  notice.hdr.hwndFrom = dialog;
  notice.hdr.code = code;
  notice.lpOFN = &ofn;
  notice.pszFile = ofn.lpstrFile;
  callHook(ofn, dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
}

// Puts the chosen path into the caller's buffers; false (FNERR_BUFFERTOOSMALL) when it does not
// fit, with the size needed in the buffer's first two bytes.
bool deliver(OPENFILENAMEA& ofn, const std::string& path) {
  if (path.size() + 1 > ofn.nMaxFile) {
    if (ofn.nMaxFile >= 2) {
      const auto needed = static_cast<WORD>(path.size() + 1 > 0xFFFF ? 0xFFFF : path.size() + 1);
      std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
    }
    return false;
  }
  std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
  const size_t start = nameStart(path);
  const size_t dot = path.find_last_of('.');
  ofn.nFileOffset = static_cast<WORD>(start);
  ofn.nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= start ? dot + 1 : 0);
  if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
    const size_t length = std::min<size_t>(path.size() - start, ofn.nMaxFileTitle - 1);
    std::memcpy(ofn.lpstrFileTitle, path.c_str() + start, length);
    ofn.lpstrFileTitle[length] = '\0';
  }
  if (ofn.nFilterIndex == 0 && ofn.lpstrFilter != nullptr && *ofn.lpstrFilter != '\0') {
    ofn.nFilterIndex = 1;
  }
  return true;
}

// Whether the dialog takes the choice, or shows its refusal and stays open.
bool acceptable(const OPENFILENAMEA& ofn, const std::string& path, bool saving, const char* call) {
  const PathFacts facts = factsOf(path);
  if (!facts.resolves || facts.isDir) {
    return false;
  }
  if ((ofn.Flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST)) != 0 && !facts.folderExists) {
    return false;
  }
  if ((ofn.Flags & OFN_FILEMUSTEXIST) != 0 && !facts.exists) {
    return false;
  }
  if (saving && facts.exists && (ofn.Flags & OFN_OVERWRITEPROMPT) != 0) {
    const sim::Answer confirm = sim::detail::takeAnswer(
        {call, sim::Answer::Kind::Button, path + " already exists.\nDo you want to replace it?", "",
         "", static_cast<int>(MB_YESNO | MB_ICONEXCLAMATION)});
    return confirm.kind == sim::Answer::Kind::Button && confirm.status == IDYES;
  }
  return true;
}

BOOL runFileDialog(LPOPENFILENAMEA ofn, bool saving) {
  const sim::detail::StandInCall inCall;
  const char* call = saving ? "GetSaveFileNameA" : "GetOpenFileNameA";
  lastDialogError = 0;
  if (ofn == nullptr || (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
                         ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A)) {
    return failDialog(CDERR_STRUCTSIZE);
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    return failDialog(CDERR_INITIALIZATION);
  }
  if ((ofn->Flags & OFN_ENABLEHOOK) != 0 && ofn->lpfnHook == nullptr) {
    return failDialog(CDERR_NOHOOK);
  }
  if (ofn->hwndOwner != nullptr &&
      sim::detail::findTopWindow(reinterpret_cast<uintptr_t>(ofn->hwndOwner)) == nullptr) {
    return failDialog(CDERR_DIALOGFAILURE);
  }
  if (sim::detail::shouldFail(saving ? sim::detail::FailableCall::GetSaveFileNameA
                                     : sim::detail::FailableCall::GetOpenFileNameA)) {
    return failDialog(CDERR_DIALOGFAILURE);
  }
  const std::string title =
      ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : (saving ? "Save As" : "Open");
  const std::string offered = offeredFile(*ofn);
  const auto window = sim::detail::openTopWindow(title);
  const HWND dialog = reinterpret_cast<HWND>(window);
  callHook(*ofn, dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(ofn));
  notifyHook(*ofn, dialog, CDN_INITDONE);
  BOOL chosen = FALSE;
  for (;;) {
    const sim::Answer reply =
        sim::detail::takeAnswer({call, sim::Answer::Kind::FileName, title, offered,
                                 filterText(ofn->lpstrFilter), static_cast<int>(ofn->Flags)});
    if (reply.kind != sim::Answer::Kind::FileName) {
      break;
    }
    const std::string path = chosenPath(reply.value, offered, *ofn);
    if (!acceptable(*ofn, path, saving, call)) {
      continue;
    }
    if (!deliver(*ofn, path)) {
      lastDialogError = FNERR_BUFFERTOOSMALL;
      break;
    }
    notifyHook(*ofn, dialog, CDN_FILEOK);
    chosen = TRUE;
    break;
  }
  sim::detail::closeTopWindow(window);
  return chosen;
}

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  return runFileDialog(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
  return runFileDialog(ofn, true);
}

DWORD CommDlgExtendedError() {
  return lastDialogError;
}
