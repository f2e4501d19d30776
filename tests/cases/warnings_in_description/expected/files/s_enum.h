#ifndef s_ENUM_H
#define s_ENUM_H
enum {
	hero,
	hero,
	my-coin,
	int,
	s_chr,
	ab_ptn,
	ab,
	off,
	tiny,
};
#endif
