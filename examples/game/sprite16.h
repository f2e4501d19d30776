/* How the example game reads the generated pattern records. Their
   initializers are positional: the cell count, then for each cell its index
   in the cell array, the x and y offset of its top-left corner from the
   sprite's origin, and its flip. Field names and types are the game's
   choice; a value that doesn't fit its type fails the build. */
#ifndef SPRITE16_H
#define SPRITE16_H

#include <gba.h>

/* The flips as the object attribute 1 bits, so that a record's flip goes
   into the object as it is. */
enum {
    SP_NOFLIP = 0,
    SP_HFLIP = ATTR1_HFLIP,
    SP_VFLIP = ATTR1_VFLIP,
    SP_HVFLIP = ATTR1_HFLIP | ATTR1_VFLIP,
};

typedef struct {
    short cell;  /* its tiles are cell * 4 to cell * 4 + 3 */
    short x, y;
    u16 flip;
} SPR_CELL;

/* The records initialize the flexible array: a GNU C extension, so don't
   build them with -pedantic-errors. */
typedef struct {
    int count;
    SPR_CELL cells[];
} SPR_PATTERN;

#endif
