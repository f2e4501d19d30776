#ifndef mirrors_ENUM_H
#define mirrors_ENUM_H
enum {
	same,
	left_right,
	top_bottom,
	half_turn,
	again,
};
#endif
