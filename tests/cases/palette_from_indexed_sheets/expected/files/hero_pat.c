#include "hero_pat.h"

const SPR_PATTERN coin_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN gem_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *hero_pattern_table[] = {
	[coin] = &coin_ptn ,
	[gem] = &gem_ptn ,
};
