// Wildcard matching of a text against a pattern, as the evaluator's LIKE test uses it.
#pragma once

namespace qv {

// RTNORM when text matches pattern, RTERROR otherwise. In the pattern "*" matches any run of
// characters (the empty run too), "?" any one character, "#" one digit, "@" one letter, "." one
// character that is not a letter; any other character matches itself only, case counting.
// The empty text matches only "*" and the empty pattern; the empty pattern only the empty text.
// Each literal piece between stars is taken at its leftmost place, so the time grows with the
// lengths of text and pattern, never exponentially. A null text or pattern counts as empty.
int MatchWildcard(const char* text, const char* pattern);

} // namespace qv
