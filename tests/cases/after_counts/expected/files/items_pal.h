#ifndef items_PAL_H
#define items_PAL_H
#include <gba.h>
extern const u16 items_rows_pal[208];
#define items_rows_pal_FIRST_ROW 3
extern const u8 items_palette_row[2];
#endif
