/* boss.txt's object files alone (--stream, OBJECTS_ONLY): its cells are
   made but not built into the program. */
#include "boss_enum.h"
#include "boss_obj.h"

unsigned long boss_hash(int* tiles) {
    *tiles = boss_sprite_tiles[boss].count;
    unsigned long hash = boss_MOST_TILES;
    for (int i = 0; i < 16 * *tiles; ++i) hash = hash * 31 + boss_obj_tiles[16 * boss_sprite_tiles[boss].first + i];
    return hash;
}
