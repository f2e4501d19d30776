#include "common/messages/objects.h"

#include "common/console.h"
#include "common/messages/quoting.h"

namespace pixcell::messages::warn {

using detail::quoted;

std::string block_too_large(const std::string& name, std::int64_t tiles) {
    return "sprite " + quoted(name) + " takes a block of " + std::to_string(tiles) + " tiles (" +
           std::to_string(tiles * static_cast<std::int64_t>(kTileBytes)) + " bytes), more than the " +
           std::to_string(kTilesInSpriteTileMemory) + " tiles (" + std::to_string(kSpriteTileMemoryBytes) +
           " bytes) of sprite tile memory in the tile modes: split it into sprites that fit";
}

std::string sprite_too_many_objects(const std::string& name, std::int64_t objects) {
    return "sprite " + quoted(name) + " has " + std::to_string(objects) + " objects, more than the console's " +
           std::to_string(kObjectCount) + ": split it into sprites that fit";
}

}  // namespace pixcell::messages::warn
