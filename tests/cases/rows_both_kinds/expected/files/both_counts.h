#ifndef both_COUNTS_H
#define both_COUNTS_H
#define both_CELL_COUNT 3	/* distinct 16x16 cells in the cell array */
#define both_CELL_BYTES 384	/* their bytes of sprite tile memory */
#define both_SPRITE_COUNT 3	/* enumerators */
#define both_PATTERN_TABLE_LENGTH 3	/* elements of the pattern table: the last sprite with cells, plus one */
#define both_MOST_CELLS 1	/* the most cells, so objects, of one sprite */
#define both_FIRST_ROW 0	/* the lowest palette row a sprite uses */
#define both_ROW_COUNT 3	/* rows from there to the highest a sprite uses */
#define both_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define both_END_TILE 12	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
