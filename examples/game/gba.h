/* The example game's platform header: the types the generated files take
   from it (u8, u16 and u32), and the few parts of the console the game touches. A
   real game's gba.h has more; its names share one name space with the sprite
   names of the descriptions. */
#ifndef GBA_H
#define GBA_H

typedef unsigned char u8;
typedef unsigned short u16;
typedef unsigned int u32;

#define REG_DISPCNT (*(volatile u16*)0x04000000)
#define DISPCNT_OBJ_1D 0x0040       /* an object's tiles follow each other */
#define DISPCNT_FORCED_BLANK 0x0080
#define DISPCNT_OBJ_ON 0x1000
#define REG_VCOUNT (*(volatile u16*)0x04000006)  /* the line being drawn; 160 to 227: the vertical blank */
#define VBLANK_FIRST_LINE 160

#define BG_PALETTE ((volatile u16*)0x05000000)  /* entry 0: the backdrop */
#define OBJ_PALETTE ((volatile u16*)0x05000200)  /* 16 rows of 16 colours; entry 0 of a row shows nothing */
#define OBJ_PALETTE_ENTRIES 256
#define OBJ_TILES ((volatile u16*)0x06010000)   /* 8x8 tiles of 4-bit pixels, 32 bytes each */
#define OAM ((volatile u16*)0x07000000)         /* 128 objects of 4 halfwords */

#define OAM_COUNT 128
#define ATTR0_HIDE 0x0200
#define ATTR0_Y_MASK 0x00FF
#define ATTR1_X_MASK 0x01FF
#define ATTR1_HFLIP 0x1000
#define ATTR1_VFLIP 0x2000
#define ATTR1_SIZE_16 0x4000  /* a square object 16x16 pixels */
#define ATTR2_TILE_MASK 0x03FF
#define ATTR2_PALETTE(row) ((row) << 12)  /* the palette row of a 4-bit object */

#define RGB15(r, g, b) ((r) | (g) << 5 | (b) << 10)

#endif
