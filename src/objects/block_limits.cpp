#include "objects/block_limits.h"

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

void warn_about_blocks(const ObjectConversion& objects, const Conversion& conversion, const SpriteList& sprites,
                       Diagnostics& diagnostics) {
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const SpriteObject& sprite = sprites[conversion.sprites[s].sprite];
        const std::size_t count = objects.sprites[s].count;
        if (count > static_cast<std::size_t>(kObjectCount)) {
            diagnostics.warning_at(sprite.line,
                                   messages::warn::sprite_too_many_objects(sprite.name, static_cast<std::int64_t>(count)));
        }
        const std::uint32_t tiles = objects.stream->blocks[s].tiles;
        if (tiles > kTilesInSpriteTileMemory) {
            diagnostics.warning_at(sprite.line, messages::warn::block_too_large(sprite.name, tiles));
        }
    }
}

}  // namespace pixcell
