/* Colours of the test ROM, shared with the host harness that predicts the
   picture: every palette entry a different colour, and a backdrop unlike all. */
#ifndef ROM_PALETTE_H
#define ROM_PALETTE_H

#define ROM_RGB(r, g, b) ((r) | (g) << 5 | (b) << 10)

/* Entry 0 is never shown (transparent); its value only has to differ. */
static const unsigned short rom_palette[16] = {
    ROM_RGB(1, 1, 1),    ROM_RGB(31, 0, 0),   ROM_RGB(0, 31, 0),   ROM_RGB(0, 0, 31),
    ROM_RGB(31, 31, 0),  ROM_RGB(0, 31, 31),  ROM_RGB(31, 0, 31),  ROM_RGB(31, 31, 31),
    ROM_RGB(16, 0, 0),   ROM_RGB(0, 16, 0),   ROM_RGB(0, 0, 16),   ROM_RGB(16, 16, 0),
    ROM_RGB(0, 16, 16),  ROM_RGB(16, 0, 16),  ROM_RGB(16, 16, 16), ROM_RGB(24, 8, 4),
};

#define ROM_BACKDROP ROM_RGB(4, 12, 20)

/* Entry `entry` of palette row `row` in the test sheets' palettes: row 0 is
   rom_palette, each other row colours of its own (green 2 * row + 1, which
   no entry of row 0 and not the backdrop has; red 2 * entry), so that all
   240 shown colours differ and a sprite shown in a wrong row shows. */
static inline unsigned short rom_row_colour(int row, int entry) {
    return row == 0 ? rom_palette[entry] : (unsigned short)ROM_RGB(2 * entry, 2 * row + 1, 31 - entry);
}

#endif
