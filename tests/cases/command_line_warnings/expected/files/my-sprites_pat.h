#ifndef my-sprites_PAT_H
#define my-sprites_PAT_H
#include <gba.h>
#include <sprite16.h>
#include "my-sprites_enum.h"
#include "my-sprites.h"
extern const SPR_PATTERN *my-sprites_pattern_table[];
#endif
