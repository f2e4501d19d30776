#ifndef packed_ENUM_H
#define packed_ENUM_H
enum {
	heart,
	heart_2,
	heart_3,
	tall,
	big,
	wide,
	corner,
};
#endif
