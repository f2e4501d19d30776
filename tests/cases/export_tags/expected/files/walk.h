#ifndef walk_CHR_H
#define walk_CHR_H
#include <gba.h>
typedef struct { u16 chr[64]; } CHR_PAT;
extern const CHR_PAT walk_chr[];
#endif
