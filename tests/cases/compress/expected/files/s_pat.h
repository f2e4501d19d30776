#ifndef s_PAT_H
#define s_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "s_enum.h"
#include "s.h"
extern const SPR_PATTERN *s_pattern_table[];
#endif
