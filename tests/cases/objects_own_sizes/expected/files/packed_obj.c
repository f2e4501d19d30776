#include "packed_obj.h"

const SPR_OBJECT packed_objects[] = {
	{    -8,    -8, 0x0000, 0x0000,     0, },	/* heart */
	{    -8,    -8, 0x0000, 0x0000,     1, },	/* heart_2 */
	{    -8,    -8, 0x0000, 0x0000,     2, },	/* heart_3 */
	{    -8,    -8, 0x8000, 0x0000,     3, },	/* tall */
	{     2,   -20, 0x8000, 0x9000,     5, },	/* big */
	{   -10,   -20, 0x8000, 0xA000,     5, },
	{   -30,    -8, 0x4000, 0x4000,    13, },	/* wide */
	{   -10,    -8, 0x4000, 0x7000,    13, },
	{    -8,    -8, 0x0000, 0x4000,    17, },	/* corner */
};

const SPR_OBJECTS packed_sprite_objects[] = {
	{     0,     1, },	/* heart */
	{     1,     1, },	/* heart_2 */
	{     2,     1, },	/* heart_3 */
	{     3,     1, },	/* tall */
	{     4,     2, },	/* big */
	{     6,     2, },	/* wide */
	{     8,     1, },	/* corner */
};
