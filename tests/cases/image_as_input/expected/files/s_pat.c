#include "s_pat.h"

const SPR_PATTERN *s_pattern_table[] = {
};
