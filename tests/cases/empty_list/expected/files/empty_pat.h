#ifndef empty_PAT_H
#define empty_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "empty_enum.h"
#include "empty.h"
extern const SPR_PATTERN *empty_pattern_table[];
#endif
