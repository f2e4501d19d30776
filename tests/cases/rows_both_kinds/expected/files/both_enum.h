#ifndef both_ENUM_H
#define both_ENUM_H
enum {
	row_0,
	row_1,
	made,
};
#endif
