#include "game_pat.h"

const SPR_PATTERN stand_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *game_pattern_table[] = {
	[stand] = &stand_ptn ,
};
