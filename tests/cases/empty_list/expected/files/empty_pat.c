#include "empty_pat.h"

const SPR_PATTERN *empty_pattern_table[] = {
};
