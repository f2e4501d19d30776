#ifndef s_CHR_H
#define s_CHR_H
#include <gba.h>
#ifndef PIXCELL_CHR_PAT
#define PIXCELL_CHR_PAT
typedef struct { u16 chr[64]; } CHR_PAT;
#endif
extern const CHR_PAT s_chr[];
#endif
