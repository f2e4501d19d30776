#ifndef items_PAT_H
#define items_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "items_enum.h"
#include "items.h"
extern const SPR_PATTERN *items_pattern_table[];
#endif
