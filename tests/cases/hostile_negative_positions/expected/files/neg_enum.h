#ifndef neg_ENUM_H
#define neg_ENUM_H
enum {
	quarter,
	left,
	flipped,
	far,
	above,
};
#endif
