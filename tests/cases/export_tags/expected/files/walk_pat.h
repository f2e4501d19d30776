#ifndef walk_PAT_H
#define walk_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "walk_enum.h"
#include "walk.h"
extern const SPR_PATTERN *walk_pattern_table[];
#endif
