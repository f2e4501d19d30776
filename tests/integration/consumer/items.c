/* items.txt's generated headers, apart from sprites.txt's. */
#include "items_counts.h"
#include "items_pal.h"
#include "items_pat.h"
#include "sprites_counts.h"

_Static_assert(items_FIRST_TILE == sprites_END_TILE, "items' tiles don't start where the hero's end");
_Static_assert(items_FIRST_ROW >= sprites_FIRST_ROW + sprites_ROW_COUNT, "items' rows meet the hero's");

unsigned long items_hash(int* cells) {
    *cells = 0;
    for (int s = 0; s <= chest; ++s) {
        const SPR_PATTERN* pattern = items_pattern_table[s];
        for (int i = 0; pattern && i < pattern->count; ++i)
            if (pattern->cells[i].cell >= *cells) *cells = pattern->cells[i].cell + 1;
    }
    unsigned long hash = items_items_pal[17];
    for (int c = 0; c < *cells; ++c)
        for (int i = 0; i < 64; ++i) hash = hash * 31 + items_chr[c].chr[i];
    return hash;
}
