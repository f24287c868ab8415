// A tile's value read whole, however long.
#pragma once

#include <string>

#include "platform/acad/adsdlg.h"

namespace qv::dialogfiles {

// ads_get_tile into a buffer that grows until the value fits. Returns the host's status; value
// is set only on RTNORM. Throws std::bad_alloc when memory runs out.
int readTileValue(ads_hdlg dialog, const char* key, std::string& value);

} // namespace qv::dialogfiles
