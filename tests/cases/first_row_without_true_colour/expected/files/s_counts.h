#ifndef s_COUNTS_H
#define s_COUNTS_H
#define s_CELL_COUNT 1	/* distinct 16x16 cells in the cell array */
#define s_CELL_BYTES 128	/* their bytes of sprite tile memory */
#define s_SPRITE_COUNT 1	/* enumerators */
#define s_PATTERN_TABLE_LENGTH 1	/* elements of the pattern table: the last sprite with cells, plus one */
#define s_MOST_CELLS 1	/* the most cells, so objects, of one sprite */
#define s_FIRST_ROW 7	/* the lowest palette row a sprite uses */
#define s_ROW_COUNT 1	/* rows from there to the highest a sprite uses */
#define s_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define s_END_TILE 4	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
