#ifndef rows_ENUM_H
#define rows_ENUM_H
enum {
	zero,
	one,
	three,
	mixed,
	hidden,
	nothing,
	line,
	mirror,
	both,
	zero_png,
	one_png,
	three_png,
	mixed_png,
	hidden_png,
	nothing_png,
	line_png,
	mirror_png,
	both_png,
	boxed,
};
#endif
