// The host's library path: where a file named without a folder is looked for (acedFindFile, the
// library search of acedGetFileD, load_dialog): the current folder, the current drawing's folder,
// then each folder of ACADPREFIX, in that order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sim::detail {

// The folders of the library path, each ending with a separator; the current folder is the empty
// text. Without an open document the drawing's folder is left out.
std::vector<std::string> libraryFolders();

// The Windows path of the file: a name with a drive or folder is looked for only where it says,
// a bare name along the library path. found tells whether a candidate path is the file sought
// (each caller tests files its own way). Empty when none is.
std::string findOnLibraryPath(const std::string& name,
                              const std::function<bool(const std::string&)>& found);

} // namespace sim::detail
