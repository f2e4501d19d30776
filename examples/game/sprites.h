/* The sprites of one description as main.c uses them. Each description's
   generated headers are included by a C file of its own (hero_sprites.c,
   items_sprites.c, boss_sprites.c), which fills one of these: every
   description's .h defines the type CHR_PAT, so two of them can't meet in
   one C file. Its counts header (--counts) and its objects header
   (--objects) define nothing else and may meet the others. */
#ifndef SPRITES_H
#define SPRITES_H

#include <gba.h>
#include <sprite16.h>
#include <spriteobj.h>

/* One colour array of --palette's NAME_pal.c: entry 0 goes to palette row
   first_row (its #define NAME_xxx_pal_FIRST_ROW). */
typedef struct {
    const u16* colours;
    int count;
    int first_row;
} SpritePalette;

/* A description's colours, whether its sprites are shown with cells or
   with objects. */
typedef struct {
    const SpritePalette* palettes;    /* each sheet's colours, from --palette */
    int palette_count;
    const u8* palette_rows;           /* NAME_palette_row: the palette row of each sprite */
    int first_row, row_count;         /* NAME_FIRST_ROW, NAME_ROW_COUNT: the rows its sprites use */
} SpriteColours;

typedef struct {
    const u16* cells;                 /* NAME_chr: 64 halfwords a cell */
    int cell_count;                   /* NAME_CELL_COUNT */
    const SPR_PATTERN* const* table;  /* NAME_pattern_table */
    int table_length;                 /* NAME_PATTERN_TABLE_LENGTH: the last sprite with cells, plus one */
    int sprites;                      /* NAME_SPRITE_COUNT: the enumerators */
    SpriteColours colours;
} SpriteSet;

/* The sprites of a description converted with --objects, shown with
   objects of every shape (NAME_obj.s, NAME_obj.c) instead of its cells. */
typedef struct {
    const u16* tiles;                 /* NAME_obj_tiles: 16 halfwords a tile */
    int tile_count;                   /* NAME_OBJ_TILE_COUNT */
    const SPR_OBJECT* objects;        /* NAME_objects */
    const SPR_OBJECTS* sprites;       /* NAME_sprite_objects: each sprite's objects, by enumerator */
    SpriteColours colours;
} ObjectSet;

extern const SpriteSet hero_sprites;
extern const SpriteSet items_sprites;
extern const ObjectSet boss_sprites;

#endif
