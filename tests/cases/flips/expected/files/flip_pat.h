#ifndef flip_PAT_H
#define flip_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "flip_enum.h"
#include "flip.h"
extern const SPR_PATTERN *flip_pattern_table[];
#endif
