// Internal to the stand-in's dialogs: a DCL file found as the host finds it, read with the files
// it includes, and checked as the host checks it on loading.
#pragma once

#include <string>

#include "platform/acad/internal/dcl_reader.h"

namespace sim::detail {

// Finds the file as load_dialog does: ".dcl" added to a name without an extension; a name
// without a folder looked for in the current drawing's folder, then the support folders
// (ACADPREFIX). The Windows path of the file found, or the empty text.
std::string findDclFile(const std::string& name);

// Reads the file at the Windows path and those it includes (each found beside the including file,
// then as findDclFile finds it), then expands every definition. False with error set to the
// host's report ("Error in dialog file "...", line 3: ...") on the first fault.
bool loadDclFile(const std::string& windowsPath, DclLibrary& out, std::string& error);

// Expands every definition of the library, as the host's audit on loading does: a tile defined
// nowhere or in terms of itself is an error.
bool checkDclLibrary(const DclLibrary& library, std::string& error);

} // namespace sim::detail
