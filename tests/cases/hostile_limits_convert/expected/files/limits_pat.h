#ifndef limits_PAT_H
#define limits_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "limits_enum.h"
#include "limits.h"
extern const SPR_PATTERN *limits_pattern_table[];
#endif
