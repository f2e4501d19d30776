#ifndef s_ENUM_H
#define s_ENUM_H
enum {
	spark,
	bar,
	turned,
	nothing,
	two,
};
#endif
