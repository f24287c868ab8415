// MessageBoxA: a modal box whose button comes from the queue of the user's answers.
#include <cstdint>
#include <string>

#include "platform/internal/session.h"
#include "platform/internal/top_windows.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/winerror.h"
#include "platform/win/winuser.h"

namespace {

// The buttons of each set, MB_OK to MB_CANCELTRYCONTINUE, and the answer to ESC (0: ESC does
// nothing on that box).
struct ButtonSet {
  int buttons[3];
  int escape;
};
constexpr ButtonSet kButtonSets[] = {
    {{IDOK, 0, 0}, IDOK},
    {{IDOK, IDCANCEL, 0}, IDCANCEL},
    {{IDABORT, IDRETRY, IDIGNORE}, 0},
    {{IDYES, IDNO, IDCANCEL}, IDCANCEL},
    {{IDYES, IDNO, 0}, 0},
    {{IDRETRY, IDCANCEL, 0}, IDCANCEL},
    {{IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL},
};

bool hasButton(const ButtonSet& set, int button) {
  return button != 0 &&
         (set.buttons[0] == button || set.buttons[1] == button || set.buttons[2] == button);
}

} // namespace

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const sim::detail::StandInCall inCall;
  if (hWnd != nullptr && sim::detail::findTopWindow(reinterpret_cast<uintptr_t>(hWnd)) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const UINT setIndex = uType & 0xFu;
  if (setIndex >= std::size(kButtonSets)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::MessageBoxA)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  const ButtonSet& set = kButtonSets[setIndex];
  const std::string text = lpText != nullptr ? lpText : "";
  const std::string caption = lpCaption != nullptr ? lpCaption : "Error";
  const uintptr_t box = sim::detail::openTopWindow(caption);
  const sim::Answer reply = sim::detail::takeAnswer(
      {"MessageBoxA", sim::Answer::Kind::Button, text, "", caption, static_cast<int>(uType)});
  sim::detail::closeTopWindow(box);
  if (reply.kind == sim::Answer::Kind::Button) {
    if (hasButton(set, reply.status)) {
      return reply.status;
    }
    sim::detail::reportMisuse("MessageBoxA: the box \"" + text + "\" has no button " +
                              std::to_string(reply.status));
  } else if (set.escape == 0) {
    sim::detail::reportMisuse("MessageBoxA: the box \"" + text +
                              "\" has no Cancel or OK button; queue the button pressed");
  }
  return set.escape != 0 ? set.escape : set.buttons[set.buttons[2] != 0 ? 2 : 1];
}
