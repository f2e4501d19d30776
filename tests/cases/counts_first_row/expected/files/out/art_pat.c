#include "art_pat.h"

const SPR_PATTERN hero_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN hero_2_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN ghost_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN slime_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN blue_hero_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN both_ptn = {
		1,
	{
		{    3,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN hero_bmp_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN slime_bmp_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *art_pattern_table[] = {
	[hero] = &hero_ptn ,
	[hero_2] = &hero_2_ptn ,
	[ghost] = &ghost_ptn ,
	[slime] = &slime_ptn ,
	[blue_hero] = &blue_hero_ptn ,
	[both] = &both_ptn ,
	[hero_bmp] = &hero_bmp_ptn ,
	[slime_bmp] = &slime_bmp_ptn ,
};
