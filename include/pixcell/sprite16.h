/* sprite16.h: the pattern records that pixcell's generated NAME_pat.c
   files initialise, and their four flip constants.

   The generated headers include it as <sprite16.h>; a game may include it
   so or as <pixcell/sprite16.h>. Each record is the cell count, then for
   each cell the index of the cell in NAME_chr, the x and y offset of its
   top-left corner from the sprite's origin, and its flip, in this order:
   a game that writes its own sprite16.h keeps that order and may choose
   the names, the types and the flip values (SP_HVFLIP being both flips). */
#ifndef PIXCELL_SPRITE16_H
#define PIXCELL_SPRITE16_H

/* The flips as the bits of object attribute 1 (bit 12 left-right, bit 13
   top-bottom), so that a record's flip goes into the object as it is. */
enum {
    SP_NOFLIP = 0x0000,
    SP_HFLIP = 0x1000,
    SP_VFLIP = 0x2000,
    SP_HVFLIP = 0x3000
};

/* short holds every value a sprite of the console's sizes needs; a value
   that doesn't fit fails the build (GCC's -Woverflow) instead of showing a
   wrong sprite. */
typedef struct {
    short cell;           /* the cell's tiles in 1D mapping: 4 * cell to 4 * cell + 3 */
    short x, y;           /* its top-left corner, in pixels from the sprite's origin */
    unsigned short flip;  /* SP_NOFLIP, SP_HFLIP, SP_VFLIP or SP_HVFLIP */
} SPR_CELL;

/* The records initialise the flexible array member, which GCC takes as an
   extension: build them without -pedantic-errors. */
typedef struct {
    int count;         /* the sprite's cells */
    SPR_CELL cells[];  /* count of them, the first drawn on top */
} SPR_PATTERN;

#endif
