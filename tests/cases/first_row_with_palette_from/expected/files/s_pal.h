#ifndef s_PAL_H
#define s_PAL_H
#include <gba.h>
extern const u16 s_s_rgba_pal[19];
#define s_s_rgba_pal_FIRST_ROW 0
extern const u8 s_palette_row[1];
#endif
