#ifndef tiles_PAT_H
#define tiles_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "tiles_enum.h"
#include "tiles.h"
extern const SPR_PATTERN *tiles_pattern_table[];
#endif
