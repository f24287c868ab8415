// Masking the area behind a text with a wipeout.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Draws a wipeout over the text's box grown by a margin of factor times the text's height (half
// of it on each side), turned with the text, and deletes the text (the caller draws it again
// above the wipeout). 1; 0, with the text kept, when the host cannot give or measure the text or
// does not make the wipeout.
int wipeoutBehindText(const ads_name text, double factor);

} // namespace qv
