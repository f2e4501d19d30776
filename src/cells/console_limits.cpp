#include "cells/console_limits.h"

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

void warn_about_limits(const Conversion& conversion, const SpriteList& sprites, Diagnostics& diagnostics) {
    for (const ConvertedSprite& converted : conversion.sprites) {
        if (converted.cell_count <= static_cast<std::size_t>(kObjectCount)) continue;
        const SpriteObject& sprite = sprites[converted.sprite];
        diagnostics.warning_at(sprite.line, messages::warn::sprite_too_many_cells(sprite.name, converted.cell_count));
    }
    if (conversion.cells.size() > kCellsInSpriteTileMemory) {
        diagnostics.warning(messages::warn::too_many_cells(conversion.cells.size()));
    }
}

}  // namespace pixcell
