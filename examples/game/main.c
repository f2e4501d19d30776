/* The example game: every sprite of examples/hero.txt on one screen, put
   together from the cells and pattern records that pixcell generated. */
#include <gba.h>
#include <sprite16.h>

#include "hero_pat.h"

/* The pattern table has a slot for each sprite up to the last one with
   cells: coin, the last sprite of hero.txt. */
#define SPRITE_COUNT (coin + 1)

/* Sprite i has its origin at (GRID_LEFT + GRID_STEP_X * (i % GRID_COLUMNS),
   GRID_TOP + GRID_STEP_Y * (i / GRID_COLUMNS)). */
#define GRID_LEFT 32
#define GRID_TOP 48
#define GRID_STEP_X 48
#define GRID_STEP_Y 56
#define GRID_COLUMNS 4

/* The colours of hero.bmp's palette; pixcell keeps only the indices. */
static const u16 palette[16] = {
    RGB15(31, 0, 31), RGB15(0, 0, 0),    RGB15(7, 5, 2),    RGB15(31, 25, 20),
    RGB15(5, 10, 25), RGB15(25, 7, 7),   RGB15(7, 7, 10),   RGB15(11, 6, 3),
    RGB15(2, 2, 2),   RGB15(31, 31, 31), RGB15(1, 7, 3),    RGB15(5, 20, 10),
    RGB15(15, 30, 20), RGB15(17, 12, 0), RGB15(31, 26, 5),  RGB15(31, 31, 25),
};
#define BACKDROP RGB15(12, 20, 28)

/* Every cell of the array is used by some record, so the largest index in
   the table tells how many there are. */
static int cell_count(void) {
    int count = 0;
    for (int s = 0; s < SPRITE_COUNT; ++s) {
        const SPR_PATTERN* pattern = hero_pattern_table[s];
        if (!pattern) continue; /* a listed sprite without cells */
        for (int i = 0; i < pattern->count; ++i)
            if (pattern->cells[i].cell >= count) count = pattern->cells[i].cell + 1;
    }
    return count;
}

/* Cell n goes to tiles 4n to 4n+3: with 1D mapping a 16x16 object reads its
   four tiles one after another, in the order the cell stores them. Sprite
   memory takes 16-bit writes only. */
static void load_cells(void) {
    const int cells = cell_count();
    for (int c = 0; c < cells; ++c)
        for (int i = 0; i < 64; ++i) OBJ_TILES[c * 64 + i] = hero_chr[c].chr[i];
}

/* One object per cell, from `object` on; returns the next free one. */
static int place_sprite(int object, const SPR_PATTERN* pattern, int x, int y) {
    for (int i = 0; i < pattern->count && object < OAM_COUNT; ++i, ++object) {
        const SPR_CELL* cell = &pattern->cells[i];
        OAM[4 * object] = (u16)((y + cell->y) & ATTR0_Y_MASK);
        OAM[4 * object + 1] = (u16)(((x + cell->x) & ATTR1_X_MASK) | ATTR1_SIZE_16 | cell->flip);
        OAM[4 * object + 2] = (u16)(cell->cell * 4);
    }
    return object;
}

int main(void) {
    REG_DISPCNT = DISPCNT_FORCED_BLANK;
    BG_PALETTE[0] = BACKDROP;
    for (int i = 0; i < 16; ++i) OBJ_PALETTE[i] = palette[i];
    for (int i = 0; i < OAM_COUNT; ++i) OAM[4 * i] = ATTR0_HIDE;
    load_cells();

    int object = 0;
    for (int s = 0; s < SPRITE_COUNT; ++s) {
        if (!hero_pattern_table[s]) continue;
        object = place_sprite(object, hero_pattern_table[s], GRID_LEFT + GRID_STEP_X * (s % GRID_COLUMNS),
                              GRID_TOP + GRID_STEP_Y * (s / GRID_COLUMNS));
    }

    REG_DISPCNT = DISPCNT_OBJ_1D | DISPCNT_OBJ_ON;
    for (;;) {
    }
}
