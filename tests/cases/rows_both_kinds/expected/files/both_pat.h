#ifndef both_PAT_H
#define both_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "both_enum.h"
#include "both.h"
extern const SPR_PATTERN *both_pattern_table[];
#endif
