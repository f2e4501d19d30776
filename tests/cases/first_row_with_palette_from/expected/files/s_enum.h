#ifndef s_ENUM_H
#define s_ENUM_H
enum {
	hero,
};
#endif
