/* spriteobj.h: the objects of every shape that pixcell's --objects files
   describe (NAME_obj.c, NAME_obj.h), and a function that writes one
   sprite's objects to object attribute memory.

   The generated header includes it as <spriteobj.h>; a game may include it
   so or as <pixcell/spriteobj.h>. Each object is five numbers in this order:
   the x and y offset of its top-left corner from the sprite's origin, the
   shape bits of attribute 0, the size and flip bits of attribute 1, and its
   first tile counted from the first tile of NAME_obj_tiles. A game that
   writes its own spriteobj.h keeps that order and may choose the names and
   the types. */
#ifndef PIXCELL_SPRITEOBJ_H
#define PIXCELL_SPRITEOBJ_H

/* short holds every value a sprite of the console's sizes needs; a value
   that doesn't fit fails the build (GCC's -Woverflow) instead of showing a
   wrong sprite. */
typedef struct {
    short x, y;            /* top-left corner, in pixels from the sprite's origin */
    unsigned short attr0;  /* attribute 0: the shape, bits 14-15 (square, wide, tall) */
    unsigned short attr1;  /* attribute 1: the size, bits 14-15, and the flips, 12 left-right, 13 top-bottom */
    unsigned short tile;   /* its tiles in 1D mapping: tile to tile + width / 8 * height / 8 - 1 */
} SPR_OBJECT;

/* The objects of one sprite: NAME_objects[first] to [first + count - 1],
   the first drawn on top. */
typedef struct {
    unsigned short first;
    unsigned short count;  /* 0: the sprite shows nothing */
} SPR_OBJECTS;

/* The flips of attribute 1; spr_write_objects takes them for the whole sprite. */
enum { SPR_OBJ_HFLIP = 0x1000, SPR_OBJ_VFLIP = 0x2000 };

/* An object's size in pixels, from its shape (attribute 0 bits 14-15) and
   size (attribute 1 bits 14-15). */
static inline int spr_object_width(const SPR_OBJECT* object) {
    static const unsigned char widths[3][4] = {{8, 16, 32, 64}, {16, 32, 32, 64}, {8, 8, 16, 32}};
    return widths[(object->attr0 >> 14) % 3][object->attr1 >> 14];
}

static inline int spr_object_height(const SPR_OBJECT* object) {
    static const unsigned char heights[3][4] = {{8, 16, 32, 64}, {8, 8, 16, 32}, {16, 32, 32, 64}};
    return heights[(object->attr0 >> 14) % 3][object->attr1 >> 14];
}

/* Writes the objects of one sprite to object attribute memory (`oam`,
   0x07000000, which takes 16-bit writes only) from entry `entry` on, with
   the sprite's origin at screen position (x, y), in 4-bit colour with
   palette row `row`. `first_tile` is the tile NAME_obj_tiles was loaded at
   (with 1D mapping, display control bit 6). `flip` (SPR_OBJ_HFLIP,
   SPR_OBJ_VFLIP, both or 0) mirrors the whole sprite about its origin: each
   object's offset is mirrored and its own flips toggled. Entries keep the
   sprite's order, so its first object is drawn on top. Returns the next
   free entry; writes none past entry 127. */
static inline int spr_write_objects(volatile unsigned short* oam, int entry, const SPR_OBJECT* objects,
                                    SPR_OBJECTS sprite, int x, int y, int flip, int first_tile, int row) {
    for (int i = 0; i < sprite.count && entry < 128; ++i, ++entry) {
        const SPR_OBJECT* object = &objects[sprite.first + i];
        int ox = object->x;
        int oy = object->y;
        if (flip & SPR_OBJ_HFLIP) ox = -ox - spr_object_width(object);
        if (flip & SPR_OBJ_VFLIP) oy = -oy - spr_object_height(object);
        oam[4 * entry] = (unsigned short)(((y + oy) & 0x00FF) | (object->attr0 & 0xC000));
        oam[4 * entry + 1] =
            (unsigned short)(((x + ox) & 0x01FF) | ((object->attr1 ^ flip) & 0xF000));
        oam[4 * entry + 2] = (unsigned short)(((first_tile + object->tile) & 0x03FF) | (row & 15) << 12);
    }
    return entry;
}

#endif
