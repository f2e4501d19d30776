#ifndef both_PAL_H
#define both_PAL_H
#include <gba.h>
extern const u16 both_drawn_pal[256];
#define both_drawn_pal_FIRST_ROW 0
extern const u16 both_made_24_pal[16];
#define both_made_24_pal_FIRST_ROW 2
extern const u8 both_palette_row[3];
#endif
