#ifndef flip_ENUM_H
#define flip_ENUM_H
enum {
	plain,
	h_wide,
	v_tall,
	hv_offset,
	parts,
};
#endif
