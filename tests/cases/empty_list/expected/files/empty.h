#ifndef empty_CHR_H
#define empty_CHR_H
#include <gba.h>
#ifndef PIXCELL_CHR_PAT
#define PIXCELL_CHR_PAT
typedef struct { u16 chr[64]; } CHR_PAT;
#endif
extern const CHR_PAT empty_chr[];
#endif
