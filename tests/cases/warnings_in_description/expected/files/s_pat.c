#include "s_pat.h"

const SPR_PATTERN hero_ptn = {
		2,
	{
		{    0, -16, -16, SP_NOFLIP, },
		{    1,   0,   0, SP_NOFLIP, },
	},
};
const SPR_PATTERN hero_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN int_ptn = {
		1,
	{
		{    3,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN s_chr_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN ab_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *s_pattern_table[] = {
	[hero] = &hero_ptn ,
	[hero] = &hero_ptn ,
	[int] = &int_ptn ,
	[s_chr] = &s_chr_ptn ,
	[ab] = &ab_ptn ,
};
