/* The sprites of examples/items.txt, with its generated headers alone. */
#include "sprites.h"

#include "items_counts.h"
#include "items_pal.h"
#include "items_pat.h"

static const SpritePalette items_palettes[] = {
    {items_items_pal, sizeof items_items_pal / sizeof items_items_pal[0], items_items_pal_FIRST_ROW},
};

const SpriteSet items_sprites = {
    items_chr[0].chr, items_CELL_COUNT,
    items_pattern_table, items_PATTERN_TABLE_LENGTH, items_SPRITE_COUNT,
    {items_palettes, sizeof items_palettes / sizeof items_palettes[0], items_palette_row,
     items_FIRST_ROW, items_ROW_COUNT},
};
