typedef unsigned char u8;
typedef unsigned short u16;
