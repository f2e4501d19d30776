#ifndef rows_COUNTS_H
#define rows_COUNTS_H
#define rows_CELL_COUNT 2	/* distinct 16x16 cells in the cell array */
#define rows_CELL_BYTES 256	/* their bytes of sprite tile memory */
#define rows_SPRITE_COUNT 2	/* enumerators */
#define rows_PATTERN_TABLE_LENGTH 2	/* elements of the pattern table: the last sprite with cells, plus one */
#define rows_MOST_CELLS 1	/* the most cells, so objects, of one sprite */
#define rows_FIRST_ROW 3	/* the lowest palette row a sprite uses */
#define rows_ROW_COUNT 3	/* rows from there to the highest a sprite uses */
#define rows_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define rows_END_TILE 8	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
