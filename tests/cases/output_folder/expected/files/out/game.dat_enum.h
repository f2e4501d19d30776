#ifndef game_ENUM_H
#define game_ENUM_H
enum {
	stand,
};
#endif
