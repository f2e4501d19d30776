#ifndef pal_ENUM_H
#define pal_ENUM_H
enum {
	high,
};
#endif
