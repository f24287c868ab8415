// Texts longer than one result buffer holds, carried as a chain of RTSTR items: every item but
// the last holds 502 characters followed by the character 7 (BEL), the last the rest.
#pragma once

#include "platform/acad/adsdef.h"
#include "text/ms_string.h"

namespace qv {

// Appends the chain of text to the end of list (null: a new list). Answers list, or the chain's
// first item when list is null. When memory runs out nothing is appended: list is answered
// unchanged (null when none was given).
resbuf* splitLongText(const char* text, resbuf* list);
// Joins the chain that starts at list into out. Answers the item after the chain's last item;
// null when the chain runs to the end of the list, or when an item other than a text (RTSTR or
// group 1000) is met (out then holds what was joined before it).
resbuf* joinLongText(resbuf* list, msString& out);

} // namespace qv
