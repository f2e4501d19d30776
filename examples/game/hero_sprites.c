/* The sprites of examples/hero.txt, with its generated headers alone. */
#include "sprites.h"

#include "hero_counts.h"
#include "hero_pal.h"
#include "hero_pat.h"

static const SpritePalette hero_palettes[] = {
    {hero_hero_pal, sizeof hero_hero_pal / sizeof hero_hero_pal[0], hero_hero_pal_FIRST_ROW},
};

const SpriteSet hero_sprites = {
    hero_chr[0].chr, hero_CELL_COUNT,
    hero_pattern_table, hero_PATTERN_TABLE_LENGTH, hero_SPRITE_COUNT,
    {hero_palettes, sizeof hero_palettes / sizeof hero_palettes[0], hero_palette_row,
     hero_FIRST_ROW, hero_ROW_COUNT},
};
