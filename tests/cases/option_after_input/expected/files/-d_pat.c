#include "-d_pat.h"

const SPR_PATTERN left_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *-d_pattern_table[] = {
	[left] = &left_ptn ,
};
