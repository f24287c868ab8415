// The product's "config.pik" in the installation folder: its third and fourth lines name the
// folder that the family's report program works in.
#pragma once

namespace qv {

// Writes folder ("/" turned into "\") into "config.pik" of the installation folder (installPath):
// with a drive letter, line 3 becomes the drive ("D:") and line 4 the rest ("\data\jobs");
// without one, line 3 stays and line 4 becomes the whole folder. Lines are counted by their line
// ends; every other line is copied unchanged, and a file of fewer lines keeps them all. The file
// is rewritten through "qvanrprt.tmp" beside it, which replaces it only when written whole.
// Returns 1; 0 when the installation folder is unknown, "config.pik" cannot be read to its end,
// or the rewrite fails (the old file then stays).
int updateConfigPikPath(const char* folder);

} // namespace qv
