#include "bad_pat.h"

const SPR_PATTERN *bad_pattern_table[] = {
};
