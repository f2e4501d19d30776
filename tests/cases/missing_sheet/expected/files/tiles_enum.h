#ifndef tiles_ENUM_H
#define tiles_ENUM_H
enum {
	ship,
	rock,
};
#endif
