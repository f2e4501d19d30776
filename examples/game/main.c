/* The example game: every sprite of examples/hero.txt and examples/items.txt
   on one screen, put together from the cells, pattern records and palettes
   that pixcell generated for the two descriptions. */
#include <gba.h>
#include <sprite16.h>

#include "sprites.h"

/* The sprites of both descriptions in one grid, hero.txt's first: sprite i
   has its origin at (GRID_LEFT + GRID_STEP_X * (i % GRID_COLUMNS),
   GRID_TOP + GRID_STEP_Y * (i / GRID_COLUMNS)). */
#define GRID_LEFT 24
#define GRID_TOP 40
#define GRID_STEP_X 44
#define GRID_STEP_Y 48
#define GRID_COLUMNS 5

#define BACKDROP RGB15(12, 20, 28)

#define CELL_HALFWORDS 64
#define TILES_PER_CELL 4

/* Every cell of the array is used by some record, so the largest index in
   the table tells how many there are. */
static int cell_count(const SpriteSet* set) {
    int count = 0;
    for (int s = 0; s < set->sprites; ++s) {
        const SPR_PATTERN* pattern = set->table[s];
        if (!pattern) continue; /* a listed sprite without cells */
        for (int i = 0; i < pattern->count; ++i)
            if (pattern->cells[i].cell >= count) count = pattern->cells[i].cell + 1;
    }
    return count;
}

/* Each description numbers its cells from 0, so each cell array goes to a
   place of its own in sprite tile memory, from tile `first_tile` on, and its
   sprites add that to their tile numbers. Cell n of the array takes tiles
   first_tile + 4n to first_tile + 4n + 3: with 1D mapping a 16x16 object
   reads its four tiles one after another, in the order the cell stores them.
   Sprite memory takes 16-bit writes only. Returns the next free tile. */
static int load_cells(const SpriteSet* set, int first_tile) {
    const int halfwords = cell_count(set) * CELL_HALFWORDS;
    volatile u16* to = OBJ_TILES + first_tile * (CELL_HALFWORDS / TILES_PER_CELL);
    for (int i = 0; i < halfwords; ++i) to[i] = set->cells[i];
    return first_tile + halfwords / (CELL_HALFWORDS / TILES_PER_CELL);
}

/* The sheets of a game usually share one palette, as these two do, so
   loading each description's palette whole is loading it again. A game whose
   sheets have palettes of their own loads each row its sprites use. */
static void load_palette(const SpriteSet* set) {
    for (int i = 0; i < set->colour_count && i < OBJ_PALETTE_ENTRIES; ++i) OBJ_PALETTE[i] = set->colours[i];
}

/* One object per cell, from `object` on; returns the next free one. */
static int place_sprite(int object, const SpriteSet* set, int sprite, int first_tile, int x, int y) {
    const SPR_PATTERN* pattern = set->table[sprite];
    const u16 palette = ATTR2_PALETTE(set->palette_rows[sprite]);
    for (int i = 0; i < pattern->count && object < OAM_COUNT; ++i, ++object) {
        const SPR_CELL* cell = &pattern->cells[i];
        OAM[4 * object] = (u16)((y + cell->y) & ATTR0_Y_MASK);
        OAM[4 * object + 1] = (u16)(((x + cell->x) & ATTR1_X_MASK) | ATTR1_SIZE_16 | cell->flip);
        OAM[4 * object + 2] = (u16)(((first_tile + cell->cell * TILES_PER_CELL) & ATTR2_TILE_MASK) | palette);
    }
    return object;
}

int main(void) {
    const SpriteSet* const sets[] = {&hero_sprites, &items_sprites};
    const int set_count = sizeof sets / sizeof sets[0];

    REG_DISPCNT = DISPCNT_FORCED_BLANK;
    BG_PALETTE[0] = BACKDROP;
    for (int i = 0; i < OAM_COUNT; ++i) OAM[4 * i] = ATTR0_HIDE;

    int tile = 0;
    int object = 0;
    int slot = 0;
    for (int d = 0; d < set_count; ++d) {
        const SpriteSet* set = sets[d];
        load_palette(set);
        const int first_tile = tile;
        tile = load_cells(set, first_tile);
        for (int s = 0; s < set->sprites; ++s, ++slot) {
            if (!set->table[s]) continue;
            object = place_sprite(object, set, s, first_tile, GRID_LEFT + GRID_STEP_X * (slot % GRID_COLUMNS),
                                  GRID_TOP + GRID_STEP_Y * (slot / GRID_COLUMNS));
        }
    }

    REG_DISPCNT = DISPCNT_OBJ_1D | DISPCNT_OBJ_ON;
    for (;;) {
    }
}
