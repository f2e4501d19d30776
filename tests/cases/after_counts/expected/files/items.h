#ifndef items_CHR_H
#define items_CHR_H
#include <gba.h>
typedef struct { u16 chr[64]; } CHR_PAT;
extern const CHR_PAT items_chr[];
#endif
