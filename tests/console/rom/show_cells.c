/* The test ROM of a game that draws its sprites with spr_write_cells() of
   the installed <sprite16.h>: shows one sprite of the generated pattern
   table, its cells loaded in one-dimensional mapping, mirrored as a whole as
   the run settings say, in the row of the sheet's palette the converter gave
   it. The build includes the generated <ident>_pat.h and <ident>_pal.h,
   defines IDENT as the generated identifier base and ROM_SHEET_PALETTE as
   the first sheet's colours. */
#include <gba.h>
#include <sprite16.h>

#include "rom_config.h"
#include "rom_display.h"

#define ROM_CELLS ROM_JOIN(IDENT, _chr)
#define ROM_PATTERN_TABLE ROM_JOIN(IDENT, _pattern_table)
#define ROM_PALETTE_ROWS ROM_JOIN(IDENT, _palette_row)
#define ROM_TILE_MEMORY_CELLS 256 /* 32 KB in the tile modes */

/* Default view: sprite 0 with its origin in the middle of the screen. */
const volatile struct rom_config rom_config = {
    ROM_CONFIG_TAG, 0, 120, 80, -15, -15, 240, 160, 0,
};

void rom_main(void);

/* The sprite's cells are a stretch of the array, from its lowest cell to
   past its highest: only that stretch is loaded, from tile 0 on, so an array
   larger than tile memory still shows each sprite. Returns the tile the
   array's first cell would be at, for spr_write_cells. */
static int rom_load_cells(const SPR_PATTERN* pattern) {
    int lowest = 0, past = 0;
    for (int i = 0; pattern && i < pattern->count; ++i) {
        const int cell = pattern->cells[i].cell;
        if (i == 0 || cell < lowest) lowest = cell;
        if (cell + 1 > past) past = cell + 1;
    }
    if (past - lowest > ROM_TILE_MEMORY_CELLS) past = lowest + ROM_TILE_MEMORY_CELLS;
    /* Object video memory takes 16-bit writes only; a byte store would be lost. */
    for (int c = lowest; c < past; ++c)
        for (int i = 0; i < 64; ++i) GBA_OBJ_TILES[(c - lowest) * 64 + i] = ROM_CELLS[c].chr[i];
    return -4 * lowest;
}

void rom_main(void) {
    rom_begin();
    rom_load_palette(ROM_SHEET_PALETTE, sizeof ROM_SHEET_PALETTE / sizeof ROM_SHEET_PALETTE[0]);
    /* A listed sprite without cells has a null slot in the table. */
    const SPR_PATTERN* pattern = ROM_PATTERN_TABLE[rom_config.sprite];
    const int first_tile = rom_load_cells(pattern);
    int flip = SP_NOFLIP;
    if (rom_config.flip & 1) flip |= SP_HFLIP;
    if (rom_config.flip & 2) flip |= SP_VFLIP;
    spr_write_cells(GBA_OAM, 0, pattern, rom_config.origin_x, rom_config.origin_y, flip, first_tile,
                    ROM_PALETTE_ROWS[rom_config.sprite]);
    rom_show();
}
