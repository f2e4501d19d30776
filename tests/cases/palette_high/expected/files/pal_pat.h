#ifndef pal_PAT_H
#define pal_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "pal_enum.h"
#include "pal.h"
extern const SPR_PATTERN *pal_pattern_table[];
#endif
