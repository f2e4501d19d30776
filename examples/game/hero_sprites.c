/* The sprites of examples/hero.txt, with its generated headers alone. */
#include "sprites.h"

#include "hero_pal.h"
#include "hero_pat.h"

const SpriteSet hero_sprites = {
    hero_chr[0].chr, hero_pattern_table, coin + 1,
    hero_hero_pal, sizeof hero_hero_pal / sizeof hero_hero_pal[0], hero_palette_row,
};
