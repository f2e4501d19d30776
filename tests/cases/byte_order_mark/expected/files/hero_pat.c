#include "hero_pat.h"

const SPR_PATTERN *hero_pattern_table[] = {
};
