#ifndef s_COUNTS_H
#define s_COUNTS_H
#define s_CELL_COUNT 6	/* distinct 16x16 cells in the cell array */
#define s_CELL_BYTES 768	/* their bytes of sprite tile memory */
#define s_SPRITE_COUNT 5	/* enumerators */
#define s_PATTERN_TABLE_LENGTH 5	/* elements of the pattern table: the last sprite with cells, plus one */
#define s_MOST_CELLS 3	/* the most cells, so objects, of one sprite */
#define s_FIRST_ROW 0	/* the lowest palette row a sprite uses */
#define s_ROW_COUNT 3	/* rows from there to the highest a sprite uses */
#define s_FIRST_TILE 0	/* the tile its tiles are loaded at: where the description of --after ends */
#define s_END_TILE 8	/* the tile after them: FIRST_TILE plus the tiles it keeps in tile memory */
#define s_CHR_CMP_BYTES 197	/* its bytes compressed, header included, before the padding to 4 */
#define s_SPRITE_TILES_CMP_BYTES 149	/* the sprites' blocks compressed, each once, headers included, before the padding to 4 */
#define s_MOST_SPRITE_TILES_CMP_BYTES 85	/* the largest of them */
#endif
