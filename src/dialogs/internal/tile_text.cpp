// Reading a tile's value at its full length.
#include "dialogs/internal/tile_text.h"

#include <climits>
#include <cstring>
#include <vector>

namespace qv::dialogfiles {

int readTileValue(ads_hdlg dialog, const char* key, std::string& value) {
  std::vector<char> buffer(TILE_STR_LIMIT + 1);
  for (;;) {
    const int status = ads_get_tile(dialog, key, buffer.data(), static_cast<int>(buffer.size()));
    if (status != RTNORM) {
      return status;
    }
    const char* end = static_cast<const char*>(std::memchr(buffer.data(), '\0', buffer.size()));
    const size_t length = end != nullptr ? static_cast<size_t>(end - buffer.data()) : buffer.size();
    // A value that filled the buffer may have been cut: ask again with twice the room.
    if (length + 1 < buffer.size() || buffer.size() > INT_MAX / 2) {
      value.assign(buffer.data(), length);
      return RTNORM;
    }
    buffer.resize(buffer.size() * 2);
  }
}

} // namespace qv::dialogfiles
