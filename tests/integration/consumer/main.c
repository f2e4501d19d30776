/* Prints what the generated files of the three descriptions hold. The package's
   sprite16.h is found under both of its names. */
#include <pixcell/sprite16.h>
#include <stdio.h>

unsigned long sprites_hash(int* cells);
unsigned long items_hash(int* cells);
unsigned long boss_hash(int* tiles);

int main(void) {
    int sprite_cells = 0;
    int item_cells = 0;
    const unsigned long sprites = sprites_hash(&sprite_cells);
    const unsigned long items = items_hash(&item_cells);
    int boss_tiles = 0;
    const unsigned long boss = boss_hash(&boss_tiles);
    printf("%d cells, hash %lx; items: %d cells, hash %lx; boss: %d tiles, hash %lx; flips %x\n", sprite_cells,
           sprites, item_cells, items, boss_tiles, boss, SP_HVFLIP);
    return 0;
}
