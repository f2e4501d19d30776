#ifndef rows_CHR_H
#define rows_CHR_H
#include <gba.h>
typedef struct { u16 chr[64]; } CHR_PAT;
extern const CHR_PAT rows_chr[];
#endif
