#ifndef tiles_CHR_H
#define tiles_CHR_H
#include <gba.h>
#ifndef PIXCELL_CHR_PAT
#define PIXCELL_CHR_PAT
typedef struct { u16 chr[64]; } CHR_PAT;
#endif
extern const CHR_PAT tiles_chr[];
#endif
