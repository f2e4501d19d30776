/* The sprites of examples/hero.txt, with its generated headers alone. */
#include "sprites.h"

#include "hero_pal.h"
#include "hero_pat.h"

/* Every sprite of hero.txt is drawn with palette row 0. */
static const u8 rows[coin + 1] = {0};

const SpriteSet hero_sprites = {
    hero_chr[0].chr, hero_pattern_table, coin + 1, hero_hero_pal, sizeof hero_hero_pal / sizeof hero_hero_pal[0],
    rows,
};
