#ifndef mir_PAT_H
#define mir_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "mir_enum.h"
#include "mir.h"
extern const SPR_PATTERN *mir_pattern_table[];
#endif
