#ifndef -d_PAT_H
#define -d_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "-d_enum.h"
#include "-d.h"
extern const SPR_PATTERN *-d_pattern_table[];
#endif
