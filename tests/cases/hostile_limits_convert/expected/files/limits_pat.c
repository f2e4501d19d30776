#include "limits_pat.h"

const SPR_PATTERN huge_ptn = {
		4,
	{
		{    0, -1073741816, -1073741816, SP_NOFLIP, },
		{    1, -1073741800, -1073741816, SP_NOFLIP, },
		{    2, -1073741816, -1073741800, SP_NOFLIP, },
		{    3, -1073741800, -1073741800, SP_NOFLIP, },
	},
};
const SPR_PATTERN origin_ptn = {
		4,
	{
		{    0, 2147483647, -2147483648, SP_HVFLIP, },
		{    1, 2147483631, -2147483648, SP_HVFLIP, },
		{    2, 2147483647, 2147483632, SP_HVFLIP, },
		{    3, 2147483631, 2147483632, SP_HVFLIP, },
	},
};
const SPR_PATTERN *limits_pattern_table[] = {
	[huge] = &huge_ptn ,
	[origin] = &origin_ptn ,
};
