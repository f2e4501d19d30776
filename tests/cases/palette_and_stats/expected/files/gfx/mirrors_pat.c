#include "mirrors_pat.h"

const SPR_PATTERN same_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN left_right_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_HFLIP, },
	},
};
const SPR_PATTERN top_bottom_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_VFLIP, },
	},
};
const SPR_PATTERN half_turn_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_HVFLIP, },
	},
};
const SPR_PATTERN again_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *mirrors_pattern_table[] = {
	[same] = &same_ptn ,
	[left_right] = &left_right_ptn ,
	[top_bottom] = &top_bottom_ptn ,
	[half_turn] = &half_turn_ptn ,
	[again] = &again_ptn ,
};
