#include "rows_pat.h"

const SPR_PATTERN zero_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN one_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN three_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN mixed_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN hidden_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN line_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN mirror_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_HFLIP, },
	},
};
const SPR_PATTERN both_ptn = {
		2,
	{
		{    0, -16,  -8, SP_NOFLIP, },
		{    0,   0,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN zero_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN one_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN three_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN mixed_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN hidden_png_ptn = {
		1,
	{
		{    1,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN line_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN mirror_png_ptn = {
		1,
	{
		{    0,  -8,  -8, SP_HFLIP, },
	},
};
const SPR_PATTERN both_png_ptn = {
		2,
	{
		{    0, -16,  -8, SP_NOFLIP, },
		{    0,   0,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN boxed_ptn = {
		1,
	{
		{    2,  -8,  -8, SP_NOFLIP, },
	},
};
const SPR_PATTERN *rows_pattern_table[] = {
	[zero] = &zero_ptn ,
	[one] = &one_ptn ,
	[three] = &three_ptn ,
	[mixed] = &mixed_ptn ,
	[hidden] = &hidden_ptn ,
	[line] = &line_ptn ,
	[mirror] = &mirror_ptn ,
	[both] = &both_ptn ,
	[zero_png] = &zero_png_ptn ,
	[one_png] = &one_png_ptn ,
	[three_png] = &three_png_ptn ,
	[mixed_png] = &mixed_png_ptn ,
	[hidden_png] = &hidden_png_ptn ,
	[line_png] = &line_png_ptn ,
	[mirror_png] = &mirror_png_ptn ,
	[both_png] = &both_png_ptn ,
	[boxed] = &boxed_ptn ,
};
