/* sprite16.h: the pattern records that pixcell's generated NAME_pat.c
   files initialise, their four flip constants, and a function that writes
   one sprite's cells to object attribute memory.

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

/* Writes the cells of one sprite to object attribute memory (`oam`,
   0x07000000, which takes 16-bit writes only) from entry `entry` on, one
   16x16 object a cell, with the sprite's origin at screen position (x, y),
   in 4-bit colour with palette row `row`. `first_tile` is the tile NAME_chr
   was loaded at (with 1D mapping, display control bit 6), so cell n shows
   tiles first_tile + 4 * n on. `flip` (SP_NOFLIP, SP_HFLIP, SP_VFLIP or
   SP_HVFLIP) mirrors the whole sprite about its origin: each cell's offset
   is mirrored and its own flip toggled. Entries keep the record's order, so
   its first cell is drawn on top. `pattern` may be a null slot of the
   pattern table: nothing is written. Returns the next free entry; writes
   none past entry 127. */
static inline int spr_write_cells(volatile unsigned short* oam, int entry, const SPR_PATTERN* pattern, int x,
                                  int y, int flip, int first_tile, int row) {
    for (int i = 0; pattern && i < pattern->count && entry < 128; ++i, ++entry) {
        const SPR_CELL* cell = &pattern->cells[i];
        int cx = cell->x;
        int cy = cell->y;
        if (flip & SP_HFLIP) cx = -cx - 16;
        if (flip & SP_VFLIP) cy = -cy - 16;
        oam[4 * entry] = (unsigned short)((y + cy) & 0x00FF);  /* square, 4-bit colour */
        /* size 1 of the square shape, 16x16, and the flips */
        oam[4 * entry + 1] = (unsigned short)(((x + cx) & 0x01FF) | 0x4000 | ((cell->flip ^ flip) & 0x3000));
        oam[4 * entry + 2] = (unsigned short)(((first_tile + 4 * cell->cell) & 0x03FF) | (row & 15) << 12);
    }
    return entry;
}

#endif
