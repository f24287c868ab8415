// The module-wide folder buffers.
#include "host/folders.h"

namespace qv {

char userFolder[kFolderBufferSize] = "";
char lispFolder[kFolderBufferSize] = "";

} // namespace qv
