#include "neg_pat.h"

const SPR_PATTERN quarter_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN left_ptn = {
		1,
	{
		{    1,   0,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN flipped_ptn = {
		4,
	{
		{    2,   0,   0, SP_HVFLIP, },
		{    3, -16,   0, SP_HVFLIP, },
		{    4,   0, -16, SP_HVFLIP, },
		{    5, -16, -16, SP_HVFLIP, },
	},
};
const SPR_PATTERN above_ptn = {
		2,
	{
		{    1, -12, -12, SP_VFLIP, },
		{    6,   4, -12, SP_VFLIP, },
	},
};
const SPR_PATTERN *neg_pattern_table[] = {
	[quarter] = &quarter_ptn ,
	[left] = &left_ptn ,
	[flipped] = &flipped_ptn ,
	[above] = &above_ptn ,
};
