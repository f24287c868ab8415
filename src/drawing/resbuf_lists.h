// Walking and copying host result-buffer lists.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// The item n links after the first (n = 0: the first); null when the list ends first or n < 0.
resbuf* listItemAt(resbuf* list, int n);
// The first extended-data text (group 1000) equal to text, case counting; null when none.
resbuf* findXdataString(resbuf* list, const char* text);
// A new host list of the same items in the same order. Every item that owns memory in the host's
// lists (texts, and binary chunks with their bytes) gets a copy of its own, so that both lists
// can be released with acutRelRb. Null for a null list, or when memory runs out (nothing is
// left behind then).
resbuf* copyResbufList(const resbuf* list);

} // namespace qv
