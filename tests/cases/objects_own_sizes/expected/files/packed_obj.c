#include "packed_obj.h"

const SPR_OBJECT packed_objects[] = {
	{    -8,    -8, 0x0000, 0x0000,     0, },	/* heart */
	{    -8,    -8, 0x0000, 0x0000,     1, },	/* heart_2 */
	{    -8,    -8, 0x8000, 0x0000,     2, },	/* tall */
	{     2,   -20, 0x8000, 0x9000,     4, },	/* big */
	{   -10,   -20, 0x8000, 0xA000,     4, },
	{   -30,    -8, 0x4000, 0x4000,    12, },	/* wide */
	{   -10,    -8, 0x4000, 0x7000,    12, },
	{    -8,    -8, 0x0000, 0x4000,    16, },	/* corner */
};

const SPR_OBJECTS packed_sprite_objects[] = {
	{     0,     1, },	/* heart */
	{     1,     1, },	/* heart_2 */
	{     2,     1, },	/* tall */
	{     3,     2, },	/* big */
	{     5,     2, },	/* wide */
	{     7,     1, },	/* corner */
};
