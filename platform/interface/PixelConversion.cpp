#include "PixelConversion.h"

#include <cstring>

#include "SystemPalette.h"

namespace BPrivate {

bool can_convert(color_space space)
{
	return pixel_bytes(space) > 0;
}

int32 pixel_bytes(color_space space)
{
	switch (space) {
	case B_RGB32:
	case B_RGBA32:
	case B_RGB32_BIG:
	case B_RGBA32_BIG:
		return 4;
	case B_RGB24:
	case B_RGB24_BIG:
		return 3;
	case B_GRAY8:
	case B_CMAP8:
		return 1;
	default:
		return 0;
	}
}

rgb_color read_pixel(color_space space, const uint8* p)
{
	switch (space) {
	case B_RGB32:
		return make_color(p[2], p[1], p[0], 255);
	case B_RGBA32:
		return make_color(p[2], p[1], p[0], p[3]);
	case B_RGB32_BIG:
		return make_color(p[1], p[2], p[3], 255);
	case B_RGBA32_BIG:
		return make_color(p[1], p[2], p[3], p[0]);
	case B_RGB24:
		return make_color(p[2], p[1], p[0], 255);
	case B_RGB24_BIG:
		return make_color(p[0], p[1], p[2], 255);
	case B_GRAY8:
		return make_color(p[0], p[0], p[0], 255);
	case B_CMAP8:
		return palette_color(p[0]);
	default:
		return make_color(0, 0, 0, 255);
	}
}

void write_pixel(color_space space, uint8* p, rgb_color c)
{
	switch (space) {
	case B_RGB32:
	case B_RGBA32:
		p[0] = c.blue;
		p[1] = c.green;
		p[2] = c.red;
		p[3] = space == B_RGB32 ? 255 : c.alpha;
		break;
	case B_RGB32_BIG:
	case B_RGBA32_BIG:
		p[0] = space == B_RGB32_BIG ? 255 : c.alpha;
		p[1] = c.red;
		p[2] = c.green;
		p[3] = c.blue;
		break;
	case B_RGB24:
		p[0] = c.blue;
		p[1] = c.green;
		p[2] = c.red;
		break;
	case B_RGB24_BIG:
		p[0] = c.red;
		p[1] = c.green;
		p[2] = c.blue;
		break;
	case B_GRAY8:
		p[0] = (uint8)c.Brightness();
		break;
	case B_CMAP8:
		p[0] = palette_index(c);
		break;
	default:
		break;
	}
}

void fill_white(uint8* bits, int32 length, color_space space)
{
	// In the eight-bit palette white is entry 63, and in B_GRAY1 a set bit is black; every
	// other space is white with all bits set.
	uint8 value = 0xff;
	if (space == B_CMAP8)
		value = 63;
	else if (space == B_GRAY1)
		value = 0;
	memset(bits, value, (size_t)length);
}

} // namespace BPrivate
