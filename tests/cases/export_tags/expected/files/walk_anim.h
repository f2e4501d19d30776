#ifndef walk_ANIM_H
#define walk_ANIM_H
#include <spriteanim.h>
#define walk_ANIMATION_COUNT 4	/* tags, so animations, in the order of the enumeration */
enum {
	walk_anim_walk,
	walk_anim_walk_2,
	walk_anim_at_tack,
	walk_anim_idle,
};
extern const SPR_ANIM_FRAME walk_anim_frames[];
extern const SPR_ANIMATION walk_animations[walk_ANIMATION_COUNT];
#endif
