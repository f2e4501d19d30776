/* The sprites of one description as main.c uses them. Each description's
   generated headers are included by a C file of its own (hero_sprites.c,
   items_sprites.c), which fills one of these: every description's .h
   defines the type CHR_PAT, so two of them can't meet in one C file. */
#ifndef SPRITES_H
#define SPRITES_H

#include <gba.h>
#include <sprite16.h>

typedef struct {
    const u16* cells;                 /* NAME_chr: 64 halfwords a cell */
    const SPR_PATTERN* const* table;  /* NAME_pattern_table */
    int sprites;                      /* the table's length: the last sprite with cells, plus one */
    const u16* colours;               /* the sheet's palette, from --palette */
    int colour_count;
    const u8* palette_rows;           /* NAME_palette_row: the palette row of each sprite */
} SpriteSet;

extern const SpriteSet hero_sprites;
extern const SpriteSet items_sprites;

#endif
