// GetDateFormatA on the C library's LC_TIME locale.
#include "platform/win/winnls.h"

#include <cstring>
#include <string>

#include "platform/internal/session.h"
#include "platform/win/internal/date_pictures.h"
#include "platform/win/sysinfoapi.h"
#include "platform/win/windows.h"

int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format, LPSTR dateText,
                   int cchDate) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::GetDateFormatA)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (cchDate < 0 || (cchDate > 0 && dateText == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const DWORD dateFlags = DATE_SHORTDATE | DATE_LONGDATE;
  if ((format != nullptr && flags != 0) || (flags & dateFlags) == dateFlags ||
      (flags & ~(dateFlags | LOCALE_NOUSEROVERRIDE)) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (locale != LOCALE_USER_DEFAULT && locale != LOCALE_SYSTEM_DEFAULT &&
      locale != LOCALE_NEUTRAL && locale != LOCALE_INVARIANT) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  SYSTEMTIME when{};
  if (date != nullptr) {
    when = *date;
  } else {
    GetLocalTime(&when);
  }
  if (!sim::detail::isValidDate(when)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const sim::detail::DateNames names = sim::detail::currentDateNames(locale == LOCALE_INVARIANT);
  const std::string picture = format != nullptr              ? format
                              : (flags & DATE_LONGDATE) != 0 ? names.longDate
                                                             : names.shortDate;
  const std::string text = sim::detail::renderDatePicture(picture, when, names);
  const int needed = static_cast<int>(text.size()) + 1;
  if (cchDate == 0) {
    return needed;
  }
  if (needed > cchDate) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(dateText, text.c_str(), text.size() + 1);
  return needed;
}
