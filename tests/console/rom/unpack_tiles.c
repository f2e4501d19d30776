/* The compressed tiles' test ROM: unpacks every compressed array with the
   BIOS's own functions (LZ77 and run-length into video memory with the
   16-bit ones, Huffman into work memory) and compares each with the array
   it was made from, byte for byte. The build includes the generated
   <ident>_cmp.h, defines IDENT, and ROM_OBJECTS when the objects' tiles
   are there too, ROM_STREAM (with <ident>_obj.h) when they are compressed a
   sprite's block at a time: each sprite's must then unpack to its block,
   and be null just when the sprite shows nothing. The verdict goes to the end of work memory, where
   unpack_check reads it. */
#include <gba.h>

#define ROM_JOIN2(a, b) a##b
#define ROM_JOIN(a, b) ROM_JOIN2(a, b)

extern const unsigned char ROM_JOIN(IDENT, _chr)[];
#if defined(ROM_OBJECTS) && !defined(ROM_STREAM)
extern const unsigned char ROM_JOIN(IDENT, _obj_tiles)[];
#endif
#ifdef ROM_STREAM
#define ROM_OBJ_TILES ((const unsigned char*)ROM_JOIN(IDENT, _obj_tiles))
#endif

#define ROM_VRAM ((unsigned char*)0x06000000)
#define ROM_WORK ((unsigned char*)0x02020000)
#define ROM_VERDICT ((volatile u32*)0x0203FF00)
#define ROM_DONE 0x600DF00Du

void rom_main(void);

/* The BIOS calls take the source in r0 and the destination in r1; in ARM
   state the call number is the top byte of the comment field. */
#define ROM_BIOS_CALL(number, source, dest)                                        \
    do {                                                                           \
        register const void* r0 __asm__("r0") = (source);                          \
        register void* r1 __asm__("r1") = (dest);                                  \
        __asm__ volatile("swi " #number "<<16" : "+r"(r0), "+r"(r1) : : "r2", "r3", \
                         "r12", "lr", "memory");                                   \
    } while (0)

/* 1 when `packed` unpacks to `plain`, 0 when not, 2 for a type the ROM
   doesn't know. */
static u32 rom_check(const u32* packed, const unsigned char* plain) {
    const u32 header = packed[0];
    const u32 size = header >> 8;
    unsigned char* into = ROM_VRAM;
    /* Nothing left from an array before. */
    for (u32 i = 0; i < size / 2 + 2; ++i) ((volatile u16*)ROM_VRAM)[i] = 0xA5A5;
    for (u32 i = 0; i < size + 4; ++i) ((volatile unsigned char*)ROM_WORK)[i] = 0xA5;
    switch (header & 0xF0) {
    case 0x10: ROM_BIOS_CALL(0x12, packed, into); break;
    case 0x30: ROM_BIOS_CALL(0x15, packed, into); break;
    case 0x20:
        into = ROM_WORK;
        ROM_BIOS_CALL(0x13, packed, into);
        break;
    default: return 2;
    }
    /* Video memory reads 16 bits at a time. */
    const volatile u16* got = (const volatile u16*)into;
    for (u32 i = 0; i < size / 2; ++i) {
        if (got[i] != (u16)(plain[2 * i] | plain[2 * i + 1] << 8)) return 0;
    }
    return 1;
}

#ifdef ROM_STREAM
static u32 rom_check_blocks(void) {
    const unsigned int sprites = sizeof ROM_JOIN(IDENT, _sprite_tiles_cmp) / sizeof ROM_JOIN(IDENT, _sprite_tiles_cmp)[0];
    for (unsigned int s = 0; s < sprites; ++s) {
        const u32* packed = ROM_JOIN(IDENT, _sprite_tiles_cmp)[s];
        const SPR_TILES block = ROM_JOIN(IDENT, _sprite_tiles)[s];
        if ((packed == 0) != (block.count == 0)) return 0;
        if (packed == 0) continue;
        if (packed[0] >> 8 != 32u * block.count) return 0;
        const u32 verdict = rom_check(packed, ROM_OBJ_TILES + 32 * block.first);
        if (verdict != 1) return verdict;
    }
    return 1;
}
#endif

void rom_main(void) {
    ROM_VERDICT[1] = rom_check(ROM_JOIN(IDENT, _chr_cmp), ROM_JOIN(IDENT, _chr));
#if defined(ROM_STREAM)
    ROM_VERDICT[2] = rom_check_blocks();
#elif defined(ROM_OBJECTS)
    ROM_VERDICT[2] = rom_check(ROM_JOIN(IDENT, _obj_tiles_cmp), ROM_JOIN(IDENT, _obj_tiles));
#else
    ROM_VERDICT[2] = 1;
#endif
    ROM_VERDICT[0] = ROM_DONE;
    for (;;) {
    }
}
