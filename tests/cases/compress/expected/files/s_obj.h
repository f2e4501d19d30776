#ifndef s_OBJ_H
#define s_OBJ_H
#include <gba.h>
#include <spriteobj.h>
#define s_OBJ_TILE_COUNT 14	/* 8x8 tiles in the tile array, 16 halfwords each */
#define s_OBJ_TILE_BYTES 448	/* their bytes of sprite tile memory */
#define s_OBJECT_COUNT 5	/* objects of every sprite */
#define s_MOST_OBJECTS 2	/* the most objects of one sprite */
extern const u16 s_obj_tiles[];
extern const SPR_OBJECT s_objects[];
extern const SPR_OBJECTS s_sprite_objects[];
#endif
