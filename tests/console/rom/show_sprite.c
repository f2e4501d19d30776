/* The test ROM: shows one sprite of the generated pattern table, put
   together from the generated cells exactly as a game would do it, on an
   empty screen. The build includes the generated <ident>_pat.h and defines
   IDENT as the generated identifier base. Names of its own start with rom_
   or ROM_, so that they don't meet the sprite names of the enumeration. */
#include <gba.h>
#include <sprite16.h>

#include "rom_config.h"
#include "rom_display.h"

#define ROM_CELLS ROM_JOIN(IDENT, _chr)
#define ROM_PATTERN_TABLE ROM_JOIN(IDENT, _pattern_table)
#define ROM_PALETTE_ROWS ROM_JOIN(IDENT, _palette_row)
#define ROM_OAM_ROW_SHIFT 12 /* attribute 2: the palette row of a 4-bit object */

/* Default view: sprite 0 with its origin in the middle of the screen. */
const volatile struct rom_config rom_config = {
    ROM_CONFIG_TAG, 0, 120, 80, -15, -15, 240, 160, 0,
};

void rom_main(void);

/* Object video memory takes 16-bit writes only; a byte store would be lost. */
static void rom_copy_cell(int slot, const CHR_PAT* cell) {
    volatile u16* tiles = GBA_OBJ_TILES + slot * 64;
    for (int i = 0; i < 64; ++i) tiles[i] = cell->chr[i];
}

/* Each placed cell gets its own object and its own four tiles (slot * 4),
   so the number of cells in the whole array doesn't matter. */
static void rom_place_sprite(const SPR_PATTERN* pattern, u16 row) {
    int slot = 0;
    for (int i = 0; i < pattern->count && slot < GBA_OAM_ENTRIES; ++i) {
        const SPR_CELL* c = &pattern->cells[i];
        const int x = rom_config.origin_x + c->x;
        const int y = rom_config.origin_y + c->y;
        if (x < rom_config.left || x >= rom_config.right || y < rom_config.top ||
            y >= rom_config.bottom)
            continue;
        rom_copy_cell(slot, &ROM_CELLS[c->cell]);
        u16 flip = 0;
        if (c->flip & SP_HFLIP) flip |= GBA_OAM_HFLIP;
        if (c->flip & SP_VFLIP) flip |= GBA_OAM_VFLIP;
        GBA_OAM[4 * slot] = (u16)(y & GBA_OAM_Y_MASK);
        GBA_OAM[4 * slot + 1] = (u16)((x & GBA_OAM_X_MASK) | GBA_OAM_SIZE_16 | flip);
        GBA_OAM[4 * slot + 2] = (u16)(slot * 4 | row << ROM_OAM_ROW_SHIFT);
        ++slot;
    }
}

void rom_main(void) {
    rom_begin();
    u16 row = 0;
#ifdef ROM_SHEET_PALETTE
    /* The sheet's own colours, as the converter wrote them with --palette,
       every row of them, and the sprite in the row the converter gave it. */
    rom_load_palette(ROM_SHEET_PALETTE, sizeof ROM_SHEET_PALETTE / sizeof ROM_SHEET_PALETTE[0]);
    row = ROM_PALETTE_ROWS[rom_config.sprite];
#else
    for (int i = 0; i < 16; ++i) GBA_OBJ_PALETTE[i] = rom_palette[i];
#endif

    /* A listed sprite without cells has a null slot in the table. */
    const SPR_PATTERN* pattern = ROM_PATTERN_TABLE[rom_config.sprite];
    if (pattern) rom_place_sprite(pattern, row);

    rom_show();
}
