#ifndef packed_PAT_H
#define packed_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "packed_enum.h"
#include "packed.h"
extern const SPR_PATTERN *packed_pattern_table[];
#endif
