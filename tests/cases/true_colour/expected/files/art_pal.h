#ifndef art_PAL_H
#define art_PAL_H
#include <gba.h>
extern const u16 art_art_rgba_pal[32];
#define art_art_rgba_pal_FIRST_ROW 0
extern const u16 art_art_24_pal[32];
#define art_art_24_pal_FIRST_ROW 0
extern const u8 art_palette_row[8];
#endif
