/* Prints what the generated files hold: the number of cells the pattern
   table uses and a hash of their pixels, which change with the sheet. */
#include <stdio.h>

#include "sprites_pat.h"

int main(void) {
    int cells = 0;
    for (int s = 0; s <= coin; ++s) {
        const SPR_PATTERN* pattern = sprites_pattern_table[s];
        for (int i = 0; pattern && i < pattern->count; ++i)
            if (pattern->cells[i].cell >= cells) cells = pattern->cells[i].cell + 1;
    }
    unsigned long hash = 0;
    for (int c = 0; c < cells; ++c)
        for (int i = 0; i < 64; ++i) hash = hash * 31 + sprites_chr[c].chr[i];
    printf("%d cells, hash %lx\n", cells, hash);
    return 0;
}
