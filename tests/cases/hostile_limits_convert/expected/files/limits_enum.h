#ifndef limits_ENUM_H
#define limits_ENUM_H
enum {
	max,
	after_max,
	min,
	hex_max,
	hex_min,
	huge,
	after_huge,
	huge_neg,
	rounds_over,
	origin,
	below,
};
#endif
