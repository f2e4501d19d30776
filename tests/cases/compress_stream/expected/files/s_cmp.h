#ifndef s_CMP_H
#define s_CMP_H
#include <gba.h>
/* LZ77, 197 bytes, unpacks to 768 */
extern const u32 s_chr_cmp[50];
/* each sprite's block of the objects' tiles compressed, in the order of the enumeration; null for a sprite that shows nothing */
extern const u32* const s_sprite_tiles_cmp[5];
#endif
