#ifndef hero_PAT_H
#define hero_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "hero_enum.h"
#include "hero.h"
extern const SPR_PATTERN *hero_pattern_table[];
#endif
