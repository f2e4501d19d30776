#ifndef hero_COUNTS_H
#define hero_COUNTS_H
#define hero_CELL_COUNT 10	/* distinct 16x16 cells in the cell array */
#define hero_CELL_BYTES 1280	/* their bytes of sprite tile memory */
#define hero_SPRITE_COUNT 7	/* enumerators */
#define hero_PATTERN_TABLE_LENGTH 7	/* elements of the pattern table: the last sprite with cells, plus one */
#define hero_MOST_CELLS 4	/* the most cells, so objects, of one sprite */
#define hero_SPEED 3	/* pixels a frame */
#define hero_FIRST_ROW 1	/* the lowest palette row a sprite uses */
#define hero_ROW_COUNT 2	/* rows from there to the highest a sprite uses */
#define hero_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define hero_END_TILE 40	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#endif
