enum { SP_NOFLIP, SP_HFLIP, SP_VFLIP, SP_HVFLIP };
typedef struct {
    int cell, x, y, flip;
} SPR_CELL;
typedef struct {
    int count;
    SPR_CELL cells[];
} SPR_PATTERN;
