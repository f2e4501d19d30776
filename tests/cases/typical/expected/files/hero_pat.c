#include "hero_pat.h"

const SPR_PATTERN stand_ptn = {
		3,
	{
		{    0, -16, -16, SP_NOFLIP, },
		{    0,   0, -16, SP_HFLIP, },
		{    1,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN *hero_pattern_table[] = {
	[stand] = &stand_ptn ,
};
