#include "tiles_pat.h"

const SPR_PATTERN ship_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN rock_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *tiles_pattern_table[] = {
	[ship] = &ship_ptn ,
	[rock] = &rock_ptn ,
};
