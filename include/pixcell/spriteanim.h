/* spriteanim.h: the animations that pixcell writes for an art program's
   export with tags (NAME_anim.c, NAME_anim.h), and a small player that
   steps one of them by one console frame at a time.

   The generated header includes it as <spriteanim.h>; a game may include it
   so or as <pixcell/spriteanim.h>. NAME_anim_frames holds every tag's frames
   from its first to its last, each as two numbers: the sprite's enumerator
   (NAME_enum.h) and how many console frames it shows. NAME_animations holds
   one entry per tag, in the order of the NAME_anim_ enumerators: its first
   frame in NAME_anim_frames, its frame count, its direction and its repeat
   count. A game that writes its own spriteanim.h keeps those orders and may
   choose the names and the types. */
#ifndef PIXCELL_SPRITEANIM_H
#define PIXCELL_SPRITEANIM_H

typedef struct {
    unsigned short sprite;    /* the sprite's enumerator */
    unsigned short duration;  /* console frames it shows, at least 1 */
} SPR_ANIM_FRAME;

/* The directions as the art program names them. A pass plays the frames
   once in one direction; ping-pong turns at each end without showing the
   end frame twice. */
enum { SPR_ANIM_FORWARD, SPR_ANIM_REVERSE, SPR_ANIM_PINGPONG, SPR_ANIM_PINGPONG_REVERSE };

typedef struct {
    unsigned short first;      /* in NAME_anim_frames */
    unsigned short count;      /* frames, at least 1 */
    unsigned short direction;  /* SPR_ANIM_FORWARD ... SPR_ANIM_PINGPONG_REVERSE */
    unsigned short repeat;     /* passes to play, then the last frame stays; 0: for ever */
} SPR_ANIMATION;

/* Where an animation stands. */
typedef struct {
    const SPR_ANIM_FRAME* frames;  /* the animation's own: NAME_anim_frames + first */
    SPR_ANIMATION animation;
    unsigned short at;        /* the frame shown, 0 .. count - 1 */
    unsigned short left;      /* console frames it still shows, this one counted */
    unsigned short passes;    /* passes begun */
    signed char step;         /* +1 or -1: the way the pass goes */
    unsigned char finished;   /* the last pass is over: the frame stays */
} SPR_ANIM_PLAYER;

/* Starts `animation` (an entry of NAME_animations) of `frames`
   (NAME_anim_frames) at its first frame. */
static inline void spr_anim_start(SPR_ANIM_PLAYER* player, const SPR_ANIM_FRAME* frames, SPR_ANIMATION animation) {
    const int backwards = animation.direction == SPR_ANIM_REVERSE || animation.direction == SPR_ANIM_PINGPONG_REVERSE;
    player->frames = frames + animation.first;
    player->animation = animation;
    player->step = backwards ? -1 : 1;
    player->at = backwards ? animation.count - 1 : 0;
    player->left = player->frames[player->at].duration;
    player->passes = 1;
    player->finished = 0;
}

/* The sprite to show now. */
static inline int spr_anim_sprite(const SPR_ANIM_PLAYER* player) { return player->frames[player->at].sprite; }

/* One console frame on (call it once a frame, after showing the sprite):
   returns the sprite to show next. */
static inline int spr_anim_advance(SPR_ANIM_PLAYER* player) {
    if (player->finished || --player->left > 0) return spr_anim_sprite(player);
    const int count = player->animation.count;
    int next = player->at + player->step;
    if (next < 0 || next >= count) {
        if (player->animation.repeat != 0 && player->passes >= player->animation.repeat) {
            player->finished = 1;
            player->left = 1;
            return spr_anim_sprite(player);
        }
        ++player->passes;
        if (player->animation.direction >= SPR_ANIM_PINGPONG) {
            player->step = (signed char)-player->step;
            next = count > 1 ? player->at + player->step : player->at;
        } else {
            next = player->step > 0 ? 0 : count - 1;
        }
    }
    player->at = (unsigned short)next;
    player->left = player->frames[next].duration;
    return spr_anim_sprite(player);
}

#endif
