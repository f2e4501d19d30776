/* The example game: every sprite of examples/hero.txt and examples/items.txt
   on one screen, put together from the cells, pattern records and palettes
   that pixcell generated for the two descriptions, and beside them the boss
   of examples/boss.txt, put together from objects of every shape
   (--objects): a few large objects instead of one a cell. */
#include <gba.h>
#include <sprite16.h>
#include <spriteobj.h>

#include "sprites.h"

/* The game's budget, checked where its descriptions meet: each counts
   header (--counts), and the objects header of --objects, says what its
   description takes, and the compiler adds them up. A description that
   grows past what is left fails the build here, naming what overflowed,
   instead of showing wrong sprites. */
#include "boss_counts.h"
#include "boss_enum.h"
#include "boss_obj.h"
#include "hero_counts.h"
#include "items_counts.h"

#define TILE_MEMORY_BYTES 32768 /* object tiles in the tile modes: 1024 tiles of 32 bytes */
#define ROWS_APART(a, b) \
    (a##_FIRST_ROW + a##_ROW_COUNT <= b##_FIRST_ROW || b##_FIRST_ROW + b##_ROW_COUNT <= a##_FIRST_ROW)

/* The boss's cells aren't loaded: its objects' tiles are. */
_Static_assert(hero_CELL_BYTES + items_CELL_BYTES + boss_OBJ_TILE_BYTES <= TILE_MEMORY_BYTES,
               "the cells of hero and items and the object tiles of boss together take more than object tile "
               "memory holds (32 KB)");
_Static_assert(ROWS_APART(hero, items),
               "hero and items want the same palette rows: convert items with --first-row=N after the rows of hero");
_Static_assert(ROWS_APART(hero, boss),
               "hero and boss want the same palette rows: convert hero with --first-row=N clear of the rows of boss");
_Static_assert(ROWS_APART(items, boss),
               "items and boss want the same palette rows: convert items with --first-row=N clear of the rows of boss");

/* The sprites of both descriptions in one grid, hero.txt's first: sprite i
   has its origin at (GRID_LEFT + GRID_STEP_X * (i % GRID_COLUMNS),
   GRID_TOP + GRID_STEP_Y * (i / GRID_COLUMNS)). */
#define GRID_LEFT 24
#define GRID_TOP 40
#define GRID_STEP_X 40
#define GRID_STEP_Y 48
#define GRID_COLUMNS 4

/* The boss's origin, the middle of its 64x64 picture, right of the grid. */
#define BOSS_X 200
#define BOSS_Y 80

#define BACKDROP RGB15(12, 20, 28)

#define TILE_HALFWORDS 16
#define TILES_PER_CELL 4
#define CELL_HALFWORDS (TILES_PER_CELL * TILE_HALFWORDS)
#define ROW_COLOURS 16

/* Each description numbers its cells from 0, so each cell array goes to a
   place of its own in sprite tile memory, from tile `first_tile` on, and its
   sprites add that to their tile numbers. Cell n of the array takes tiles
   first_tile + 4n to first_tile + 4n + 3: with 1D mapping a 16x16 object
   reads its four tiles one after another, in the order the cell stores them.
   Sprite memory takes 16-bit writes only. Returns the next free tile. */
static int load_cells(const SpriteSet* set, int first_tile) {
    const int halfwords = set->cell_count * CELL_HALFWORDS;
    volatile u16* to = OBJ_TILES + first_tile * TILE_HALFWORDS;
    for (int i = 0; i < halfwords; ++i) to[i] = set->cells[i];
    return first_tile + set->cell_count * TILES_PER_CELL;
}

/* The tiles of --objects go to sprite tile memory as they are, from tile
   `first_tile` on: each object's tiles already follow each other as the 1D
   mapping reads them, and spr_write_objects adds first_tile to the objects'
   tile numbers. Returns the next free tile. */
static int load_object_tiles(const ObjectSet* set, int first_tile) {
    volatile u16* to = OBJ_TILES + first_tile * TILE_HALFWORDS;
    for (int i = 0; i < set->tile_count * TILE_HALFWORDS; ++i) to[i] = set->tiles[i];
    return first_tile + set->tile_count;
}

/* Every colour array goes where its header says: entry 0 at row first_row
   (NAME_xxx_pal_FIRST_ROW). Of it, only the rows the description's sprites
   use (NAME_FIRST_ROW on): an indexed sheet's array is its whole table,
   which would overwrite the rows of another description drawn in another
   palette. Palette memory takes 16-bit writes only. */
static void load_palettes(const SpriteColours* colours) {
    for (int p = 0; p < colours->palette_count; ++p) {
        const SpritePalette* palette = &colours->palettes[p];
        for (int row = colours->first_row; row < colours->first_row + colours->row_count; ++row) {
            const int from = (row - palette->first_row) * ROW_COLOURS;
            for (int i = 0; i < ROW_COLOURS && from >= 0 && from + i < palette->count; ++i)
                OBJ_PALETTE[row * ROW_COLOURS + i] = palette->colours[from + i];
        }
    }
}

/* One object per cell, from `object` on; returns the next free one. */
static int place_sprite(int object, const SpriteSet* set, int sprite, int first_tile, int x, int y) {
    const SPR_PATTERN* pattern = set->table[sprite];
    const u16 palette = ATTR2_PALETTE(set->colours.palette_rows[sprite]);
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
        load_palettes(&set->colours);
        const int first_tile = tile;
        tile = load_cells(set, first_tile);
        /* A sprite past the table's end, or with a null slot, has no cells. */
        for (int s = 0; s < set->sprites; ++s, ++slot) {
            if (s >= set->table_length || !set->table[s]) continue;
            object = place_sprite(object, set, s, first_tile, GRID_LEFT + GRID_STEP_X * (slot % GRID_COLUMNS),
                                  GRID_TOP + GRID_STEP_Y * (slot / GRID_COLUMNS));
        }
    }

    /* The boss's tiles after the cells of both, its objects in its own row;
       a flip of SPR_OBJ_HFLIP or SPR_OBJ_VFLIP would mirror it as a whole. */
    const ObjectSet* boss_set = &boss_sprites;
    load_palettes(&boss_set->colours);
    load_object_tiles(boss_set, tile);
    spr_write_objects(OAM, object, boss_set->objects, boss_set->sprites[boss], BOSS_X, BOSS_Y, 0, tile,
                      boss_set->colours.palette_rows[boss]);

    REG_DISPCNT = DISPCNT_OBJ_1D | DISPCNT_OBJ_ON;
    for (;;) {
    }
}
