#include "items_pat.h"

const SPR_PATTERN in_row_0_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN in_row_2_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *items_pattern_table[] = {
	[in_row_0] = &in_row_0_ptn ,
	[in_row_2] = &in_row_2_ptn ,
};
