#include "my-sprites_pat.h"

const SPR_PATTERN hero_ptn = {
		2,
	{
		{    0, -16, -16, SP_NOFLIP, },
		{    1,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN *my-sprites_pattern_table[] = {
	[hero] = &hero_ptn ,
};
