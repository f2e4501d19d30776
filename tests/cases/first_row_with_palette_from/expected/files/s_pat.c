#include "s_pat.h"

const SPR_PATTERN hero_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *s_pattern_table[] = {
	[hero] = &hero_ptn ,
};
