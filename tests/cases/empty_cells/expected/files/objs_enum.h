#ifndef objs_ENUM_H
#define objs_ENUM_H
enum {
	first,
	ghost,
	last,
};
#endif
