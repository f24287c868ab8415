// Upper-cased copies of texts.
#include "host/internal/upper_text.h"

#include "platform/win/string_win.h"

namespace qv {

std::string upperText(std::string text) {
  _strupr(text.data());
  return text;
}

} // namespace qv
