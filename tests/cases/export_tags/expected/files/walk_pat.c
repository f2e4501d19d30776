#include "walk_pat.h"

const SPR_PATTERN walk_0_ptn = {
		1,
	{
		{    0,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN walk_1_ptn = {
		1,
	{
		{    1,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN walk_2_ptn = {
		1,
	{
		{    2,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN walk_3_ptn = {
		1,
	{
		{    3,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN *walk_pattern_table[] = {
	[walk_0] = &walk_0_ptn ,
	[walk_1] = &walk_1_ptn ,
	[walk_2] = &walk_2_ptn ,
	[walk_3] = &walk_3_ptn ,
};
