/* What one run of the test ROM shows. The ROM carries a default copy; the
   host harness finds it by its tag in the ROM image and rewrites it before
   each run, so one build serves every sprite and screen position. */
#ifndef ROM_CONFIG_H
#define ROM_CONFIG_H

#define ROM_CONFIG_TAG "pixcell:rom-cfg"  /* 15 characters and the NUL */
#define ROM_CONFIG_TAG_SIZE 16

struct rom_config {
    char tag[ROM_CONFIG_TAG_SIZE];
    int sprite;               /* index into the pattern table */
    int origin_x, origin_y;   /* screen position of the sprite's origin */
    /* Only cells whose top-left screen corner lies in [left, right) x
       [top, bottom) are placed: the harness keeps off-screen cells out (the
       object coordinates would wrap) and splits big sprites over runs. */
    int left, top, right, bottom;
    /* The whole sprite mirrored about its origin: bit 0 left-right, bit 1
       top-bottom. Only the ROMs that write a sprite whole (show_objects.c,
       show_cells.c) read it: in show_sprite.c the pattern records already
       hold each cell's flip. */
    int flip;
};

/* The ints after the tag, each 32 bits little-endian in the ROM image. */
#define ROM_CONFIG_FIELDS 8

#endif
