/* How a game that uses the generated pattern records sees them: a count and
   one placement per cell, each with the flip to show the stored cell with. */
#ifndef SPRITE16_H
#define SPRITE16_H

enum { SP_NOFLIP, SP_HFLIP, SP_VFLIP, SP_HVFLIP };

typedef struct {
    int cell;  /* index into the cell array */
    int x, y;  /* top-left corner relative to the sprite's origin */
    int flip;  /* bit 0 left-right, bit 1 top-bottom */
} SPR_CELL;

typedef struct {
    int count;
    SPR_CELL cells[];
} SPR_PATTERN;

#endif
