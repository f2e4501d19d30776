/* The sprites of examples/items.txt, with its generated headers alone. */
#include "sprites.h"

#include "items_pal.h"
#include "items_pat.h"

const SpriteSet items_sprites = {
    items_chr[0].chr, items_pattern_table, chest + 1,
    items_items_pal, sizeof items_items_pal / sizeof items_items_pal[0], items_palette_row,
};
