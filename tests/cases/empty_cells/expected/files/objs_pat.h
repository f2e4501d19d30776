#ifndef objs_PAT_H
#define objs_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "objs_enum.h"
#include "objs.h"
extern const SPR_PATTERN *objs_pattern_table[];
#endif
