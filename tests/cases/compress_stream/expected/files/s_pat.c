#include "s_pat.h"

const SPR_PATTERN spark_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN bar_ptn = {
		2,
	{
		{    1, -16,  -8, SP_NOFLIP, },
		{    2,   0,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN turned_ptn = {
		2,
	{
		{    1,   0,  -8, SP_HVFLIP, },
		{    2, -16,  -8, SP_HVFLIP, },
	},
};
const SPR_PATTERN two_ptn = {
		3,
	{
		{    3,  -8,  -8, SP_HFLIP, },
		{    4, -16, -16, SP_NOFLIP, },
		{    5,   0, -16, SP_NOFLIP, },
	},
};
const SPR_PATTERN *s_pattern_table[] = {
	[spark] = &spark_ptn ,
	[bar] = &bar_ptn ,
	[turned] = &turned_ptn ,
	[two] = &two_ptn ,
};
