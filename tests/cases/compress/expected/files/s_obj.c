#include "s_obj.h"

const SPR_OBJECT s_objects[] = {
	{    -5,    -4, 0x0000, 0x0000,     0, },	/* spark */
	{   -16,    -8, 0x4000, 0x8000,     1, },	/* bar */
	{   -16,    -8, 0x4000, 0xB000,     1, },	/* turned */
	{    -6,    -2, 0x0000, 0x1000,     9, },	/* two */
	{   -18,   -14, 0x4000, 0x4000,    10, },
};

const SPR_OBJECTS s_sprite_objects[] = {
	{     0,     1, },	/* spark */
	{     1,     1, },	/* bar */
	{     2,     1, },	/* turned */
	{     3,     0, },	/* nothing */
	{     3,     2, },	/* two */
};
