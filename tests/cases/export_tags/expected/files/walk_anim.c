#include "walk_enum.h"
#include "walk_anim.h"

const SPR_ANIM_FRAME walk_anim_frames[] = {
	{walk_0, 6},
	{walk_1, 1},
	{walk_2, 15},
	{walk_3, 3914},
	{walk_0, 6},
	{walk_1, 1},
	{walk_2, 15},
	{walk_3, 3914},
	{walk_1, 1},
	{walk_2, 15},
	{walk_2, 15},
};

const SPR_ANIMATION walk_animations[walk_ANIMATION_COUNT] = {
	{0, 4, 0, 0},	/* walk: forward, for ever */
	{4, 4, 1, 0},	/* walk: reverse, for ever */
	{8, 2, 2, 2},	/* at_tack: pingpong, 2 times */
	{10, 1, 3, 0},	/* idle: pingpong_reverse, for ever */
};
