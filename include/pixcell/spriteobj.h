/* spriteobj.h: the objects of every shape that pixcell's --objects files
   describe (NAME_obj.c, NAME_obj.h), a function that writes one sprite's
   objects to object attribute memory, and, for files laid out with
   --stream, one that copies a sprite's block of tiles into a slot of tile
   memory.

   The generated header includes it as <spriteobj.h>; a game may include it
   so or as <pixcell/spriteobj.h>. Each object is five numbers in this order:
   the x and y offset of its top-left corner from the sprite's origin, the
   shape bits of attribute 0, the size and flip bits of attribute 1, and its
   first tile counted from the first tile of NAME_obj_tiles (with --stream,
   of its sprite's block). A game that
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

/* With --stream, one sprite's block: NAME_obj_tiles tiles first to
   first + count - 1, which hold every tile its objects show and no other. */
typedef struct {
    unsigned int first;
    unsigned short count; /* 0: the sprite shows nothing */
} SPR_TILES;

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
   (with 1D mapping, display control bit 6); with --stream, the first tile
   of the slot the sprite's block was copied to (spr_copy_tiles). `flip` (SPR_OBJ_HFLIP,
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

/* With --stream: copies one sprite's block of `tiles` (NAME_obj_tiles,
   NAME_sprite_tiles[sprite]) into object tile memory from tile `slot` on
   (0x06010000 + 32 * slot; in the bitmap modes slots start at tile 512),
   in one transfer of DMA channel 3 in 32-bit units: video memory takes no
   8-bit writes. Returns the tile after the slot, where the next may go.
   Call it in the vertical blank, then write the objects with
   spr_write_objects(..., slot, ...).

   How much a vertical blank has time for: it is 68 lines of 1232 cycles,
   83,776 cycles. The transfer reads each word from the cartridge as two
   sequential 16-bit accesses and writes it to video memory (16-bit bus, no
   wait state) in 2 cycles. With the wait states the console starts with
   (WAITCNT 0: 2 on a sequential access) a word takes 2 * 3 + 2 = 8 cycles,
   so a blank copies up to 10,472 words, about 40 KB; with the WAITCNT
   setting most games choose (0x4317: 1 wait state on a sequential access)
   2 * 2 + 2 = 6 cycles, 13,962 words, about 54 KB. Either way all 32 KB of
   tile memory (65,536 or 49,152 cycles) fits, with the time left over for
   the blank's other work (object attributes, palettes); a frame change of
   a block of B bytes takes B / 4 * 8 cycles at most. A block is at most
   8,191 tiles (the channel's count is 16 bits). */
static inline int spr_copy_tiles(const unsigned short* tiles, SPR_TILES block, int slot) {
    volatile unsigned int* const dma3 = (volatile unsigned int*)0x040000D4;
    if (block.count == 0) return slot;
    dma3[0] = (unsigned int)(unsigned long)(tiles + 16 * block.first); /* source */
    dma3[1] = 0x06010000u + 32u * (unsigned int)slot;                  /* destination */
    dma3[2] = 8u * block.count | 0x84000000u;                          /* words; 32-bit units, start now */
    return slot + block.count;
}

#endif
