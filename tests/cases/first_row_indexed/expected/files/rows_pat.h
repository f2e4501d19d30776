#ifndef rows_PAT_H
#define rows_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "rows_enum.h"
#include "rows.h"
extern const SPR_PATTERN *rows_pattern_table[];
#endif
