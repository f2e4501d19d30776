/* The example game: the sprites of five descriptions on one screen, each
   drawn the way that suits it.

   - hero.txt and items.txt: 16x16 cells (spr_write_cells), in a grid;
   - hud.txt: hearts and digits drawn tightly on an 8-pixel grid, shown one
     by one with objects at their own 8x8 (--objects), no neighbour showing;
   - boss.txt: one 64x64 sprite as two mirrored 32x64 objects (--objects),
     its tiles stored compressed (--compress) and unpacked by the BIOS;
   - knight.json: an Aseprite export of 36 frames of 64x64, more than object
     tile memory holds (--stream): two knights, one walking and one swinging
     his sword (the export's tags walk and attack), played by spriteanim.h's
     player, each frame's block copied into the knight's slot in the
     vertical blank.

   The descriptions are converted in a chain (hero, items, hud, boss,
   knight, each with --after the one before), so each one's counts header
   says where its tiles go (NAME_FIRST_TILE) and its palette rows start
   where the one before ends: every sheet is drawn in row 0 of a colour
   table of its own, and shows in a row of its own. */
#include <gba.h>
#include <sprite16.h>
#include <spriteanim.h>
#include <spriteobj.h>

/* Every header pixcell wrote for the five, in one file. */
#include "boss.h"
#include "boss_cmp.h"
#include "boss_counts.h"
#include "boss_enum.h"
#include "boss_obj.h"
#include "boss_pal.h"
#include "boss_pat.h"
#include "hero.h"
#include "hero_counts.h"
#include "hero_enum.h"
#include "hero_pal.h"
#include "hero_pat.h"
#include "hud.h"
#include "hud_counts.h"
#include "hud_enum.h"
#include "hud_obj.h"
#include "hud_pal.h"
#include "hud_pat.h"
#include "items.h"
#include "items_counts.h"
#include "items_enum.h"
#include "items_pal.h"
#include "items_pat.h"
#include "knight.h"
#include "knight_anim.h"
#include "knight_counts.h"
#include "knight_enum.h"
#include "knight_obj.h"
#include "knight_pal.h"
#include "knight_pat.h"

/* The budget: the chain ends with the knight, whose END_TILE counts its
   largest frame, the first knight's slot; the second knight's slot comes
   after it. A description that grows past what is left fails the build
   here instead of showing wrong sprites. */
#define TILE_MEMORY_TILES 1024 /* object tiles in the tile modes, 32 bytes each */
#define KNIGHT_SLOTS 2
_Static_assert(knight_END_TILE + (KNIGHT_SLOTS - 1) * knight_MOST_TILES <= TILE_MEMORY_TILES,
               "the tiles of the sprites and the slots of the knights take more than object tile memory holds (1024 tiles)");

/* Where everything goes on the screen (the console check reads these).
   The sprites of hero.txt and then items.txt in a grid: sprite i has its
   origin at (GRID_LEFT + GRID_STEP_X * (i % GRID_COLUMNS),
   GRID_TOP + GRID_STEP_Y * (i / GRID_COLUMNS)). */
#define GRID_LEFT 16
#define GRID_TOP 40
#define GRID_STEP_X 36
#define GRID_STEP_Y 40
#define GRID_COLUMNS 6
/* hud.txt's pieces in a row, sprite i at (HUD_LEFT + HUD_STEP * i, HUD_TOP),
   apart so that a neighbour's pixels would show. */
#define HUD_LEFT 72
#define HUD_TOP 14
#define HUD_STEP 12
/* The boss's origin, the middle of its 64x64 picture. */
#define BOSS_X 200
#define BOSS_Y 120
/* The knights' origins, at their feet (the export's pivot); the second one
   faces left: KNIGHT_ATTACK_FLIP is SPR_OBJ_HFLIP, 0x1000, written as a
   number for the console check. */
#define KNIGHT_WALK_X 40
#define KNIGHT_WALK_Y 150
#define KNIGHT_ATTACK_X 120
#define KNIGHT_ATTACK_Y 150
#define KNIGHT_ATTACK_FLIP 4096
_Static_assert(KNIGHT_ATTACK_FLIP == SPR_OBJ_HFLIP, "the attacking knight faces left");
/* The console frames the animations have advanced, written in each
   vertical blank with the sprites that the next picture shows: a test
   reads it to know which frame of each tag it must see. The last word of
   work RAM, which the program's data never reaches. */
#define SHOWN_TICK_ADDRESS 0x0203FFFC
#define SHOWN_TICK (*(volatile unsigned int*)SHOWN_TICK_ADDRESS)

#define BACKDROP RGB15(12, 20, 28)
#define TILE_HALFWORDS 16
#define ROW_COLOURS 16

/* Tiles (a cell array, or object tiles) to object tile memory from tile
   first_tile up to end_tile, where the chain's counts header says. Video
   memory takes 16-bit writes only. */
static void load_tiles(const void* tiles, int first_tile, int end_tile) {
    const u16* from = tiles;
    volatile u16* to = OBJ_TILES + first_tile * TILE_HALFWORDS;
    for (int i = 0; i < (end_tile - first_tile) * TILE_HALFWORDS; ++i) to[i] = from[i];
}

/* A colour array whose entry 0 goes to row array_first_row (its
   NAME_xxx_pal_FIRST_ROW): of it, the rows the description's sprites use
   (NAME_FIRST_ROW, NAME_ROW_COUNT), so that no other description's rows are
   overwritten. */
static void load_colours(const u16* colours, int count, int array_first_row, int first_row, int row_count) {
    for (int row = first_row; row < first_row + row_count; ++row)
        for (int i = 0; i < ROW_COLOURS; ++i) {
            const int from = (row - array_first_row) * ROW_COLOURS + i;
            if (from >= 0 && from < count) OBJ_PALETTE[row * ROW_COLOURS + i] = colours[from];
        }
}
#define LOAD_COLOURS(name, sheet)                                                                         \
    load_colours(name##_##sheet##_pal, sizeof name##_##sheet##_pal / sizeof name##_##sheet##_pal[0],     \
                 name##_##sheet##_pal_FIRST_ROW, name##_FIRST_ROW, name##_ROW_COUNT)

/* BIOS calls in ARM state: the function's number in bits 16-23. Each takes
   the compressed array (its 4-byte header first) in r0 and where to unpack
   it in r1. */
#define BIOS_CALL(number, from, to)                                                                   \
    do {                                                                                              \
        register const void* r0 asm("r0") = (from);                                                   \
        register void* r1 asm("r1") = (void*)(to);                                                    \
        asm volatile("swi %2" : "+r"(r0), "+r"(r1) : "i"((number) << 16) : "r2", "r3", "memory", "cc"); \
    } while (0)
#define BIOS_HUFF_UNCOMP 0x13      /* into work memory: it writes 32 bits at a time */
#define BIOS_LZ77_UNCOMP_VRAM 0x12 /* 16 bits at a time, so straight into video memory */
#define BIOS_RL_UNCOMP_VRAM 0x15

/* Tiles that --compress stored compressed (NAME_chr_cmp, NAME_obj_tiles_cmp)
   to object tile memory from tile first_tile on, by the BIOS function of
   their format (bits 4-7 of the first byte: --compress=auto picks the
   smallest for each array). Huffman goes through `buffer`, in work memory,
   and is copied from there: tile memory takes no 8-bit writes, and the
   function writes 32 bits at a time. */
static void unpack_tiles(const u32* packed, int first_tile, u32* buffer) {
    volatile u16* to = OBJ_TILES + first_tile * TILE_HALFWORDS;
    const u32 bytes = packed[0] >> 8;
    switch (packed[0] >> 4 & 0xF) {
    case 1:
        BIOS_CALL(BIOS_LZ77_UNCOMP_VRAM, packed, to);
        break;
    case 3:
        BIOS_CALL(BIOS_RL_UNCOMP_VRAM, packed, to);
        break;
    case 2:
        BIOS_CALL(BIOS_HUFF_UNCOMP, packed, buffer);
        for (u32 i = 0; i < bytes / 2; ++i) to[i] = ((const u16*)buffer)[i];
        break;
    }
}

static void hide_objects(int from, int to) {
    for (int i = from; i < to; ++i) OAM[4 * i] = ATTR0_HIDE;
}

static void wait_for_vblank(void) {
    while (REG_VCOUNT >= VBLANK_FIRST_LINE) {
    }
    while (REG_VCOUNT < VBLANK_FIRST_LINE) {
    }
}

/* A knight: its animation, its slot of tile memory and its objects. */
typedef struct {
    SPR_ANIM_PLAYER player;
    int x, y, flip;
    int slot;          /* its first tile */
    int first_object;  /* knight_MOST_OBJECTS entries of object attribute memory from here on */
    int shown;         /* the frame in its slot, -1 at first */
} Knight;

/* In the vertical blank: the frame's block into the slot when the frame
   changed, and its objects written with the slot's first tile. */
static void show_knight(Knight* knight) {
    const int frame = spr_anim_sprite(&knight->player);
    if (frame != knight->shown) spr_copy_tiles(knight_obj_tiles, knight_sprite_tiles[frame], knight->slot);
    knight->shown = frame;
    const int end = spr_write_objects(OAM, knight->first_object, knight_objects, knight_sprite_objects[frame],
                                      knight->x, knight->y, knight->flip, knight->slot,
                                      knight_palette_row[frame]);
    hide_objects(end, knight->first_object + knight_MOST_OBJECTS);
}

int main(void) {
    REG_DISPCNT = DISPCNT_FORCED_BLANK;
    BG_PALETTE[0] = BACKDROP;
    hide_objects(0, OAM_COUNT);

    /* Each description's tiles at its FIRST_TILE, its colours in its rows. */
    load_tiles(hero_chr, hero_FIRST_TILE, hero_END_TILE);
    load_tiles(items_chr, items_FIRST_TILE, items_END_TILE);
    load_tiles(hud_obj_tiles, hud_FIRST_TILE, hud_END_TILE);
    /* the boss's tiles from their compressed copy (Huffman would unpack here first) */
    static u32 boss_unpacked[boss_OBJ_TILE_BYTES / 4];
    unpack_tiles(boss_obj_tiles_cmp, boss_FIRST_TILE, boss_unpacked);
    LOAD_COLOURS(hero, hero);
    LOAD_COLOURS(items, items);
    LOAD_COLOURS(hud, hud);
    LOAD_COLOURS(boss, boss);
    LOAD_COLOURS(knight, knight);

    /* The knights first, so that they are drawn over the rest: each in a
       slot of its own, the first at the knight's FIRST_TILE. */
    static Knight knights[KNIGHT_SLOTS];
    const int knight_at[KNIGHT_SLOTS][3] = {{KNIGHT_WALK_X, KNIGHT_WALK_Y, 0},
                                            {KNIGHT_ATTACK_X, KNIGHT_ATTACK_Y, KNIGHT_ATTACK_FLIP}};
    const int knight_tag[KNIGHT_SLOTS] = {knight_anim_walk, knight_anim_attack};
    int entry = 0;
    for (int k = 0; k < KNIGHT_SLOTS; ++k) {
        Knight* knight = &knights[k];
        knight->x = knight_at[k][0];
        knight->y = knight_at[k][1];
        knight->flip = knight_at[k][2];
        knight->slot = knight_FIRST_TILE + k * knight_MOST_TILES;
        knight->first_object = entry;
        knight->shown = -1;
        entry += knight_MOST_OBJECTS;
        spr_anim_start(&knight->player, knight_anim_frames, knight_animations[knight_tag[k]]);
    }

    /* The grid: each sprite with cells of hero.txt, then of items.txt. */
    int slot = 0;
    for (int s = 0; s < hero_PATTERN_TABLE_LENGTH; ++s, ++slot)
        entry = spr_write_cells(OAM, entry, hero_pattern_table[s], GRID_LEFT + GRID_STEP_X * (slot % GRID_COLUMNS),
                                GRID_TOP + GRID_STEP_Y * (slot / GRID_COLUMNS), 0, hero_FIRST_TILE,
                                hero_palette_row[s]);
    for (int s = 0; s < items_PATTERN_TABLE_LENGTH; ++s, ++slot)
        entry = spr_write_cells(OAM, entry, items_pattern_table[s], GRID_LEFT + GRID_STEP_X * (slot % GRID_COLUMNS),
                                GRID_TOP + GRID_STEP_Y * (slot / GRID_COLUMNS), 0, items_FIRST_TILE,
                                items_palette_row[s]);
    for (int s = 0; s < hud_SPRITE_COUNT; ++s)
        entry = spr_write_objects(OAM, entry, hud_objects, hud_sprite_objects[s], HUD_LEFT + HUD_STEP * s, HUD_TOP,
                                  0, hud_FIRST_TILE, hud_palette_row[s]);
    spr_write_objects(OAM, entry, boss_objects, boss_sprite_objects[boss], BOSS_X, BOSS_Y, 0, boss_FIRST_TILE,
                      boss_palette_row[boss]);

    for (unsigned int tick = 0;; ++tick) {
        wait_for_vblank();
        for (int k = 0; k < KNIGHT_SLOTS; ++k) show_knight(&knights[k]);
        SHOWN_TICK = tick;
        if (tick == 0) REG_DISPCNT = DISPCNT_OBJ_1D | DISPCNT_OBJ_ON;
        for (int k = 0; k < KNIGHT_SLOTS; ++k) spr_anim_advance(&knights[k].player);
    }
}
