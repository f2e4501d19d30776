#ifndef hero_ENUM_H
#define hero_ENUM_H
enum {
	coin,
	gem,
};
#endif
