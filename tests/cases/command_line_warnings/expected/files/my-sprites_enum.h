#ifndef my-sprites_ENUM_H
#define my-sprites_ENUM_H
enum {
	hero,
};
#endif
