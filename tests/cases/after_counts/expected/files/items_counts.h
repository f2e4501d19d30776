#ifndef items_COUNTS_H
#define items_COUNTS_H
#define items_CELL_COUNT 2	/* distinct 16x16 cells in the cell array */
#define items_CELL_BYTES 256	/* their bytes of sprite tile memory */
#define items_SPRITE_COUNT 2	/* enumerators */
#define items_PATTERN_TABLE_LENGTH 2	/* elements of the pattern table: the last sprite with cells, plus one */
#define items_MOST_CELLS 1	/* the most cells, so objects, of one sprite */
#define items_FIRST_ROW 3	/* the lowest palette row a sprite uses */
#define items_ROW_COUNT 3	/* rows from there to the highest a sprite uses */
#define items_FIRST_TILE 40	/* the tile its tiles are loaded at: where the description of --after ends */
#define items_END_TILE 48	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
