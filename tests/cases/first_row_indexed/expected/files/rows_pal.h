#ifndef rows_PAL_H
#define rows_PAL_H
#include <gba.h>
extern const u16 rows_rows_pal[208];
#define rows_rows_pal_FIRST_ROW 3
extern const u8 rows_palette_row[2];
#endif
