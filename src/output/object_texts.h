// The --objects files: the tiles of every distinct object picture for the
// GNU assembler, and every sprite's objects as records that a game writes
// to object attribute memory with only the sprite's position, the first
// tile of the array and its palette row added (spriteobj.h does so).
#pragma once

#include <string>

#include "cells/convert.h"
#include "description/sprite_list.h"
#include "objects/cover_sprites.h"
#include "output/file_commit.h"

namespace pixcell {

struct ObjectTexts {
    // file_base + "_obj_tiles.s": ident_base + "_obj_tiles", made as it is written
    // (it reads `objects`, which must last until then).
    TextPieces tiles;
    // file_base + "_obj.c": ident_base + "_objects" and "_sprite_objects" (streamed, "_sprite_tiles" too)
    std::string source;
    std::string header;  // file_base + "_obj.h": their declarations and counts
};

ObjectTexts render_objects(const SpriteList& sprites, const Conversion& conversion, const ObjectConversion& objects,
                           const std::string& ident_base);

}  // namespace pixcell
