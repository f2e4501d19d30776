#ifndef my-sprites_CHR_H
#define my-sprites_CHR_H
#include <gba.h>
typedef struct { u16 chr[64]; } CHR_PAT;
extern const CHR_PAT my-sprites_chr[];
#endif
