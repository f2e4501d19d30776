typedef unsigned short u16;
