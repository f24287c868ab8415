// New host-allocated copies of texts: replacing an owned text and appending to one.
#pragma once

namespace qv {

// Frees old (null allowed) and returns a new copy of text ("" for null), from acad_malloc. The
// copy is made before old is freed, so text may lie inside old. Null when memory runs out (old is
// freed all the same).
char* ReplaceWithCopy(char* old, const char* text);

// Returns a new text a + b and frees a; a null a gives a copy of b, a null b counts as "". b may
// lie inside a. Null when memory runs out (a is freed all the same, so that `s = AppendCopy(s, b)`
// never leaks).
char* AppendCopy(char* a, const char* b);

} // namespace qv
