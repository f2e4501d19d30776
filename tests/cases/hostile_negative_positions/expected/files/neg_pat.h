#ifndef neg_PAT_H
#define neg_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "neg_enum.h"
#include "neg.h"
extern const SPR_PATTERN *neg_pattern_table[];
#endif
