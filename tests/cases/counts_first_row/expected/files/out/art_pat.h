#ifndef art_PAT_H
#define art_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "art_enum.h"
#include "art.h"
extern const SPR_PATTERN *art_pattern_table[];
#endif
