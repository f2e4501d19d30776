#ifndef rows_ENUM_H
#define rows_ENUM_H
enum {
	in_row_0,
	in_row_2,
};
#endif
