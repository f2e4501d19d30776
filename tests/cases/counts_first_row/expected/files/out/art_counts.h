#ifndef art_COUNTS_H
#define art_COUNTS_H
#define art_CELL_COUNT 4	/* distinct 16x16 cells in the cell array */
#define art_CELL_BYTES 512	/* their bytes of sprite tile memory */
#define art_SPRITE_COUNT 8	/* enumerators */
#define art_PATTERN_TABLE_LENGTH 8	/* elements of the pattern table: the last sprite with cells, plus one */
#define art_MOST_CELLS 1	/* the most cells, so objects, of one sprite */
#define art_FIRST_ROW 3	/* the lowest palette row a sprite uses */
#define art_ROW_COUNT 2	/* rows from there to the highest a sprite uses */
#define art_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define art_END_TILE 16	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
