// The table of message translations, read from translation files and kept for the life of the
// process: ORIGINAL=, MARKER= and TRANSLATION= lines, one entry per ORIGINAL.
#pragma once

namespace qv {

// Reads the translation file at path (a Windows path, opened in text mode "r") into the table.
// Lines are key=value; keys "ORIGINAL" (starts an entry; its value unescaped with UnescapeControl
// is the source text), "MARKER" (the value as it is) and "TRANSLATION" (unescaped; an empty value
// leaves none) are compared without regard to case, other lines are ignored, and so are MARKER and
// TRANSLATION lines before the first ORIGINAL. A line keeps its first 254 characters; the rest of a
// longer line is dropped, never read as a line of its own. An entry whose source text and marker
// both equal those of one already in the table is dropped, as is one that memory ran out for.
// Returns 1, or 0 when the file cannot be opened (the table is left as it is).
int LoadTranslations(const char* path);

// The translation of the entry whose source text equals text and whose marker equals marker (an
// entry without a marker matches only a null marker); text itself when there is no such entry or
// it has no translation. Texts compare byte for byte.
const char* Translate(const char* text, const char* marker);

// Frees every entry: the table is empty afterwards, as at the start of the process.
void UnloadTranslations();

} // namespace qv
