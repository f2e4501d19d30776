#include "s_obj.h"

const SPR_OBJECT s_objects[] = {
	{    -5,    -4, 0x0000, 0x0000,     0, },	/* spark */
	{   -16,    -8, 0x4000, 0x8000,     0, },	/* bar */
	{   -16,    -8, 0x4000, 0xB000,     0, },	/* turned */
	{    -6,    -2, 0x0000, 0x1000,     0, },	/* two */
	{   -18,   -14, 0x4000, 0x4000,     1, },
};

const SPR_OBJECTS s_sprite_objects[] = {
	{     0,     1, },	/* spark */
	{     1,     1, },	/* bar */
	{     2,     1, },	/* turned */
	{     3,     0, },	/* nothing */
	{     3,     2, },	/* two */
};

const SPR_TILES s_sprite_tiles[] = {
	{     0,     1, },	/* spark */
	{     1,     8, },	/* bar */
	{     1,     8, },	/* turned */
	{     0,     0, },	/* nothing */
	{     9,     5, },	/* two */
};
