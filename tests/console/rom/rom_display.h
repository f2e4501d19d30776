/* What both test ROMs do around the sprite they show: an empty screen in
   the backdrop colour while they set up, then the objects turned on. Names
   start with rom_ or ROM_, so that they don't meet the sprite names of the
   enumeration. */
#ifndef ROM_DISPLAY_H
#define ROM_DISPLAY_H

#include <gba.h>

#include "registers.h"
#include "rom_palette.h"

#define ROM_JOIN2(a, b) a##b
#define ROM_JOIN(a, b) ROM_JOIN2(a, b)

/* Forced blank while the ROM sets up, and every object hidden. */
static inline void rom_begin(void) {
    GBA_DISPCNT = GBA_DISPCNT_FORCED_BLANK;
    GBA_BG_PALETTE[0] = ROM_BACKDROP;
    for (int i = 0; i < GBA_OAM_ENTRIES; ++i) {
        GBA_OAM[4 * i] = GBA_OAM_HIDDEN;
        GBA_OAM[4 * i + 1] = 0;
        GBA_OAM[4 * i + 2] = 0;
    }
}

/* A sheet's colours as the converter wrote them with --palette, every row
   of them; palette memory takes 16-bit writes only. */
static inline void rom_load_palette(const u16* colours, unsigned count) {
    for (unsigned i = 0; i < count && i < 256; ++i) GBA_OBJ_PALETTE[i] = colours[i];
}

/* Objects on, their tiles in one-dimensional mapping; the harness takes the
   picture from here on. */
static inline void rom_show(void) {
    GBA_DISPCNT = GBA_DISPCNT_OBJ_1D | GBA_DISPCNT_OBJ_ON;
    for (;;) {
    }
}

#endif
