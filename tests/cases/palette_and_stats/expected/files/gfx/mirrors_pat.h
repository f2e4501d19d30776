#ifndef mirrors_PAT_H
#define mirrors_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "mirrors_enum.h"
#include "mirrors.h"
extern const SPR_PATTERN *mirrors_pattern_table[];
#endif
