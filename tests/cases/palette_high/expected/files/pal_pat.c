#include "pal_pat.h"

const SPR_PATTERN high_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *pal_pattern_table[] = {
	[high] = &high_ptn ,
};
