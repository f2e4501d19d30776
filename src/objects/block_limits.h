// What a streamed conversion is warned about: a frame the console can't
// hold at once. The description as a whole may be far larger than tile
// memory, since only the frames on screen are in it.
#pragma once

#include "cells/convert.h"
#include "common/diagnostics.h"
#include "description/sprite_list.h"
#include "objects/cover_sprites.h"

namespace pixcell {

// Sprites with more objects than the console has, or whose block is larger
// than sprite tile memory in the tile modes, in list order. `objects` must
// be laid out for streaming.
void warn_about_blocks(const ObjectConversion& objects, const Conversion& conversion, const SpriteList& sprites,
                       Diagnostics& diagnostics);

}  // namespace pixcell
