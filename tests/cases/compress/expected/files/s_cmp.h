#ifndef s_CMP_H
#define s_CMP_H
#include <gba.h>
/* LZ77, 197 bytes, unpacks to 768 */
extern const u32 s_chr_cmp[50];
/* LZ77, 143 bytes, unpacks to 448 */
extern const u32 s_obj_tiles_cmp[36];
#endif
