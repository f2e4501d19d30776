/* The display hardware the test ROM touches. Kept out of gba.h, which the
   generated files include: a sprite name must not meet these macros. */
#ifndef REGISTERS_H
#define REGISTERS_H

#define GBA_DISPCNT (*(volatile u16*)0x04000000)
#define GBA_DISPCNT_FORCED_BLANK 0x0080
#define GBA_DISPCNT_OBJ_1D 0x0040 /* a cell's four tiles follow each other */
#define GBA_DISPCNT_OBJ_ON 0x1000

#define GBA_BG_PALETTE ((volatile u16*)0x05000000)
#define GBA_OBJ_PALETTE ((volatile u16*)0x05000200)
#define GBA_OBJ_TILES ((volatile u16*)0x06010000)
#define GBA_OAM ((volatile u16*)0x07000000)

#define GBA_OAM_ENTRIES 128
#define GBA_OAM_HIDDEN 0x0200  /* attribute 0: object disabled */
#define GBA_OAM_SIZE_16 0x4000 /* attribute 1: square shape, size 1 = 16x16 */
#define GBA_OAM_HFLIP 0x1000
#define GBA_OAM_VFLIP 0x2000
#define GBA_OAM_X_MASK 0x01FF  /* x wraps in 9 bits, y in 8 */
#define GBA_OAM_Y_MASK 0x00FF

#endif
