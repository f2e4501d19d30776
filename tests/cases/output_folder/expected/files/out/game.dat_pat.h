#ifndef game_PAT_H
#define game_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "game_enum.h"
#include "game.h"
extern const SPR_PATTERN *game_pattern_table[];
#endif
