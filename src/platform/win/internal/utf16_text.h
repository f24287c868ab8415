// UTF-16LE <-> UTF-8 for the registry's Unicode texts. Nothing is refused: a byte that is not
// UTF-8 is taken as the Latin-1 character of that value, and a lone surrogate is carried through
// in the three-byte form, so that any data converts both ways.
#pragma once

#include <string>
#include <string_view>

namespace sim::detail {

std::string utf16leToUtf8(std::string_view utf16le);
std::string utf8ToUtf16le(std::string_view utf8);

} // namespace sim::detail
