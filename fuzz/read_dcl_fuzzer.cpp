// Fuzzes the DCL reader: any text is read, and what reads is expanded as loading expands it,
// without a crash, a hang or a leak; a definition that expands names a built-in tile kind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/acad/internal/dcl_loader.h"
#include "platform/acad/internal/dcl_reader.h"
#include "platform/sim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sim::detail::DclText parsed;
  std::string error;
  if (!sim::detail::parseDcl(text, parsed, error)) {
    if (error.rfind("line ", 0) != 0) {
      std::abort(); // every fault names its line
    }
    return 0;
  }
  sim::detail::DclLibrary library;
  for (sim::detail::DclNode& definition : parsed.definitions) {
    library[definition.name] = std::move(definition);
  }
  const bool checked = sim::detail::checkDclLibrary(library, error);
  for (const auto& entry : library) {
    sim::detail::DclTile tile;
    if (sim::detail::expandDcl(library, entry.first, tile, error)) {
      if (tile.kind.empty()) {
        std::abort();
      }
      std::vector<const sim::detail::DclTile*> keyed;
      sim::detail::collectKeyedTiles(tile, keyed);
    } else if (checked) {
      std::abort(); // the check expands every definition: none may fail after it passed
    }
  }
  return 0;
}
