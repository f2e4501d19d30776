#include "objs_pat.h"

const SPR_PATTERN first_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN last_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *objs_pattern_table[] = {
	[first] = &first_ptn ,
	[last] = &last_ptn ,
};
