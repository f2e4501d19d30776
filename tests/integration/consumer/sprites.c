/* sprites.txt's generated headers; items.c reads items.txt's. */
#include "sprites_pal.h"
#include "sprites_pat.h"

/* The cells the pattern table uses and a hash of their pixels and colours,
   which change with the sheet. */
unsigned long sprites_hash(int* cells) {
    *cells = 0;
    for (int s = 0; s <= coin; ++s) {
        const SPR_PATTERN* pattern = sprites_pattern_table[s];
        for (int i = 0; pattern && i < pattern->count; ++i)
            if (pattern->cells[i].cell >= *cells) *cells = pattern->cells[i].cell + 1;
    }
    unsigned long hash = sprites_hero_pal[1];
    for (int c = 0; c < *cells; ++c)
        for (int i = 0; i < 64; ++i) hash = hash * 31 + sprites_chr[c].chr[i];
    return hash;
}
