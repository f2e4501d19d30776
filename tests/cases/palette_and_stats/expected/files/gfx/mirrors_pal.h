#ifndef mirrors_PAL_H
#define mirrors_PAL_H
#include <gba.h>
extern const u16 mirrors_mir_pal[256];
#define mirrors_mir_pal_FIRST_ROW 0
extern const u8 mirrors_palette_row[5];
#endif
