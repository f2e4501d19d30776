#include "both_pat.h"

const SPR_PATTERN row_0_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN row_1_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN made_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *both_pattern_table[] = {
	[row_0] = &row_0_ptn ,
	[row_1] = &row_1_ptn ,
	[made] = &made_ptn ,
};
