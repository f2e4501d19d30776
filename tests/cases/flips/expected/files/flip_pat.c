#include "flip_pat.h"

const SPR_PATTERN plain_ptn = {
		2,
	{
		{    0, -16,  -8, SP_NOFLIP, },
		{    1,   0,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN h_wide_ptn = {
		2,
	{
		{    0,   0,  -8, SP_HFLIP, },
		{    1, -16,  -8, SP_HFLIP, },
	},
};
const SPR_PATTERN v_tall_ptn = {
		2,
	{
		{    0,  -8,   0, SP_VFLIP, },
		{    1,  -8, -16, SP_HVFLIP, },
	},
};
const SPR_PATTERN hv_offset_ptn = {
		4,
	{
		{    0,   4,  -2, SP_HVFLIP, },
		{    1, -12,  -2, SP_HVFLIP, },
		{    1,   4, -18, SP_VFLIP, },
		{    0, -12, -18, SP_HFLIP, },
	},
};
const SPR_PATTERN parts_ptn = {
		3,
	{
		{    1, -16,   0, SP_HVFLIP, },
		{    1,  -8,  -8, SP_HFLIP, },
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *flip_pattern_table[] = {
	[plain] = &plain_ptn ,
	[h_wide] = &h_wide_ptn ,
	[v_tall] = &v_tall_ptn ,
	[hv_offset] = &hv_offset_ptn ,
	[parts] = &parts_ptn ,
};
