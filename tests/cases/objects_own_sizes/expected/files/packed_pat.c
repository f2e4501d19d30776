#include "packed_pat.h"

const SPR_PATTERN heart_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN heart_2_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN heart_3_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN tall_ptn = {
		1,
	{
		{    3,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN big_ptn = {
		4,
	{
		{    4,   0, -16, SP_HFLIP, },
		{    5, -16, -16, SP_HFLIP, },
		{    6,   0,   0, SP_HFLIP, },
		{    7, -16,   0, SP_HFLIP, },
	},
};
const SPR_PATTERN wide_ptn = {
		3,
	{
		{    8, -24,  -8, SP_NOFLIP, },
		{    9,  -8,  -8, SP_NOFLIP, },
		{   10,   8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN corner_ptn = {
		1,
	{
		{   11,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *packed_pattern_table[] = {
	[heart] = &heart_ptn ,
	[heart_2] = &heart_2_ptn ,
	[heart_3] = &heart_3_ptn ,
	[tall] = &tall_ptn ,
	[big] = &big_ptn ,
	[wide] = &wide_ptn ,
	[corner] = &corner_ptn ,
};
