/* The test ROM of --objects: shows one sprite from the generated object
   files alone, as a game would: its tiles loaded in one-dimensional
   mapping, its objects written by spr_write_objects() of the installed
   <spriteobj.h>, mirrored as a whole as the run settings say, in the row of
   the sheet's palette the converter gave it. The build includes the
   generated <ident>_obj.h and <ident>_pal.h, defines IDENT as the generated
   identifier base and ROM_SHEET_PALETTE as the first sheet's colours.

   Built with ROM_STREAM (the files of --stream, ROM_SPRITE_COUNT their
   sprites), it copies blocks with spr_copy_tiles() as a streaming game
   does, two slots one right after the other: unflipped and flipped top-
   bottom, the sprite's block at tile 0 and another sprite's right after
   it; flipped left-right (and both ways), the other's at tile 0 and the
   sprite's right after it. So a tile number or a count that strays from
   the sprite's own block shows another's tiles or none. */
#include <gba.h>
#include <spriteobj.h>

#include "rom_config.h"
#include "rom_display.h"

#define ROM_TILES ROM_JOIN(IDENT, _obj_tiles)
#define ROM_OBJECTS ROM_JOIN(IDENT, _objects)
#define ROM_SPRITES ROM_JOIN(IDENT, _sprite_objects)
#define ROM_PALETTE_ROWS ROM_JOIN(IDENT, _palette_row)
#define ROM_TILE_HALFWORDS 16
#define ROM_TILE_MEMORY_TILES 1024 /* 32 KB in the tile modes */

/* Default view: sprite 0 with its origin in the middle of the screen. */
const volatile struct rom_config rom_config = {
    ROM_CONFIG_TAG, 0, 120, 80, -15, -15, 240, 160, 0,
};

void rom_main(void);

#ifndef ROM_STREAM
/* The sprite's tiles are a stretch of the array, from its objects' lowest
   tile to past their highest: only that stretch is loaded, from tile 0 on,
   so an array larger than tile memory still shows each sprite. Returns the
   tile the array's first would be at (minus the lowest), for attribute 2. */
static int rom_load_tiles(SPR_OBJECTS sprite) {
    int lowest = 0, past = 0;
    for (int i = 0; i < sprite.count; ++i) {
        const SPR_OBJECT* object = &ROM_OBJECTS[sprite.first + i];
        const int end = object->tile + spr_object_width(object) / 8 * (spr_object_height(object) / 8);
        if (i == 0 || object->tile < lowest) lowest = object->tile;
        if (end > past) past = end;
    }
    if (past - lowest > ROM_TILE_MEMORY_TILES) past = lowest + ROM_TILE_MEMORY_TILES;
    /* Object video memory takes 16-bit writes only; a byte store would be lost. */
    const u16* from = ROM_TILES + lowest * ROM_TILE_HALFWORDS;
    for (int i = 0; i < (past - lowest) * ROM_TILE_HALFWORDS; ++i) GBA_OBJ_TILES[i] = from[i];
    return -lowest;
}
#endif

#ifdef ROM_STREAM
#define ROM_BLOCKS ROM_JOIN(IDENT, _sprite_tiles)

/* Copies the sprite's block and another's into two slots, one after the
   other; returns the sprite's slot. */
static int rom_copy_blocks(int sprite, int sprite_first) {
    const SPR_TILES own = ROM_BLOCKS[sprite];
    SPR_TILES other = {0, 0};
    for (int step = 1; step < ROM_SPRITE_COUNT; ++step) {
        const SPR_TILES next = ROM_BLOCKS[(sprite + step) % ROM_SPRITE_COUNT];
        if (next.count != 0 && next.first != own.first) {
            other = next;
            break;
        }
    }
    if (sprite_first) {
        spr_copy_tiles(ROM_TILES, other, spr_copy_tiles(ROM_TILES, own, 0));
        return 0;
    }
    return spr_copy_tiles(ROM_TILES, own, spr_copy_tiles(ROM_TILES, other, 0)) - own.count;
}
#endif

void rom_main(void) {
    rom_begin();
    rom_load_palette(ROM_SHEET_PALETTE, sizeof ROM_SHEET_PALETTE / sizeof ROM_SHEET_PALETTE[0]);
    const SPR_OBJECTS sprite = ROM_SPRITES[rom_config.sprite];
#ifdef ROM_STREAM
    const int first_tile = rom_copy_blocks(rom_config.sprite, (rom_config.flip & 1) == 0);
#else
    const int first_tile = rom_load_tiles(sprite);
#endif
    int flip = 0;
    if (rom_config.flip & 1) flip |= SPR_OBJ_HFLIP;
    if (rom_config.flip & 2) flip |= SPR_OBJ_VFLIP;
    spr_write_objects(GBA_OAM, 0, ROM_OBJECTS, sprite, rom_config.origin_x, rom_config.origin_y, flip,
                      first_tile, ROM_PALETTE_ROWS[rom_config.sprite]);
    rom_show();
}
