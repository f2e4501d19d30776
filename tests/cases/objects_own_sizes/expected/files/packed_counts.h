#ifndef packed_COUNTS_H
#define packed_COUNTS_H
#define packed_CELL_COUNT 12	/* distinct 16x16 cells in the cell array */
#define packed_CELL_BYTES 1536	/* their bytes of sprite tile memory */
#define packed_SPRITE_COUNT 7	/* enumerators */
#define packed_PATTERN_TABLE_LENGTH 7	/* elements of the pattern table: the last sprite with cells, plus one */
#define packed_MOST_CELLS 4	/* the most cells, so objects, of one sprite */
#define packed_FIRST_ROW 0	/* the lowest palette row a sprite uses */
#define packed_ROW_COUNT 1	/* rows from there to the highest a sprite uses */
#define packed_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define packed_END_TILE 21	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
