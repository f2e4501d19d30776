#ifndef -d_ENUM_H
#define -d_ENUM_H
enum {
	left,
};
#endif
