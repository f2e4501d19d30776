#ifndef rows_PAL_H
#define rows_PAL_H
#include <gba.h>
extern const u16 rows_rows_pal[256];
#define rows_rows_pal_FIRST_ROW 0
extern const u16 rows_rows_2_pal[256];
#define rows_rows_2_pal_FIRST_ROW 0
extern const u16 rows_boxed_pal[256];
#define rows_boxed_pal_FIRST_ROW 0
extern const u8 rows_palette_row[19];
#endif
