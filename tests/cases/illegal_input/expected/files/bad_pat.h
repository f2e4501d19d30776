#ifndef bad_PAT_H
#define bad_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "bad_enum.h"
#include "bad.h"
extern const SPR_PATTERN *bad_pattern_table[];
#endif
