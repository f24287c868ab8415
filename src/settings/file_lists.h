// The places list and the recent-files list of the family's file-selection dialog, gathered from
// the drawing's project file and "getfile.xml".
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Builds two new chains that the caller releases with releaseChain (null when empty) for the
// extensions (without dots, joined by ";"):
// - *places: records whose ids are folders, without duplicates (case ignored), in this order: the
//   folders of the data files named by the drawing's project file (newest first), the last
//   folders of the extensions remembered in "getfile.xml" that exist, and the favourites that
//   exist;
// - *recentFiles: the data files of the project file that exist, id = file name (upper case as
//   the project file holds it), fields "path" (its folder with the final '\'), "date", "size" and
//   "order" (1, 2, ...).
// A project-file line counts when it holds '=' and ends with "." + an extension of the list; its
// folder must pass validatePathText. Both lists stay empty for a drawing named "DRAWING.DWG" (any
// case, any folder). Returns 1, or 0 when memory ran out (both lists then empty).
int buildFileLists(const char* extensions, IQvUniRecord** places, IQvUniRecord** recentFiles);

} // namespace qv
