/* The sprites of examples/boss.txt, converted with --objects, with its
   generated headers alone. */
#include "sprites.h"

#include "boss_counts.h"
#include "boss_obj.h"
#include "boss_pal.h"

static const SpritePalette boss_palettes[] = {
    {boss_boss_pal, sizeof boss_boss_pal / sizeof boss_boss_pal[0], boss_boss_pal_FIRST_ROW},
};

const ObjectSet boss_sprites = {
    boss_obj_tiles, boss_OBJ_TILE_COUNT, boss_objects, boss_sprite_objects,
    {boss_palettes, sizeof boss_palettes / sizeof boss_palettes[0], boss_palette_row,
     boss_FIRST_ROW, boss_ROW_COUNT},
};
