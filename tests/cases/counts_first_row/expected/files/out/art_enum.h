#ifndef art_ENUM_H
#define art_ENUM_H
enum {
	hero,
	hero_2,
	ghost,
	slime,
	blue_hero,
	both,
	hero_bmp,
	slime_bmp,
};
#endif
