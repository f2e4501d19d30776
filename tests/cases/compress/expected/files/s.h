#ifndef s_CHR_H
#define s_CHR_H
#include <gba.h>
typedef struct { u16 chr[64]; } CHR_PAT;
extern const CHR_PAT s_chr[];
#endif
