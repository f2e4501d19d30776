#ifndef packed_OBJ_H
#define packed_OBJ_H
#include <gba.h>
#include <spriteobj.h>
#define packed_OBJ_TILE_COUNT 21	/* 8x8 tiles in the tile array, 16 halfwords each */
#define packed_OBJ_TILE_BYTES 672	/* their bytes of sprite tile memory */
#define packed_OBJECT_COUNT 9	/* objects of every sprite */
#define packed_MOST_OBJECTS 2	/* the most objects of one sprite */
extern const u16 packed_obj_tiles[];
extern const SPR_OBJECT packed_objects[];
extern const SPR_OBJECTS packed_sprite_objects[];
#endif
