// Upper-cased copies of texts, as the host's file names are compared (ASCII letters only).
#pragma once

#include <string>

namespace qv {

std::string upperText(std::string text);

} // namespace qv
