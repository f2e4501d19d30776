#ifndef walk_ENUM_H
#define walk_ENUM_H
enum {
	walk_0,
	walk_1,
	walk_2,
	walk_3,
};
#endif
