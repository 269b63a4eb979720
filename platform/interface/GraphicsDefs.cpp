#include <GraphicsDefs.h>

#include <cstring>

const pattern B_SOLID_HIGH = {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
const pattern B_MIXED_COLORS = {{0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55}};
const pattern B_SOLID_LOW = {{0, 0, 0, 0, 0, 0, 0, 0}};

const rgb_color B_TRANSPARENT_COLOR = {0x77, 0x74, 0x77, 0x00};
const uint8 B_TRANSPARENT_MAGIC_CMAP8 = 0xff;
const uint16 B_TRANSPARENT_MAGIC_RGBA15 = 0x39ce;
const uint16 B_TRANSPARENT_MAGIC_RGBA15_BIG = 0xce39;
const uint32 B_TRANSPARENT_MAGIC_RGBA32 = 0x00777477;
const uint32 B_TRANSPARENT_MAGIC_RGBA32_BIG = 0x77747700;
const uint8 B_TRANSPARENT_8_BIT = B_TRANSPARENT_MAGIC_CMAP8;
const rgb_color B_TRANSPARENT_32_BIT = B_TRANSPARENT_COLOR;

const struct screen_id B_MAIN_SCREEN_ID = {0};

bool pattern::operator==(const pattern& other) const
{
	return memcmp(data, other.data, sizeof(data)) == 0;
}

int32 rgb_color::Brightness() const
{
	// Weights of the usual luma formula, in 1/256ths, so that pure white gives 255.
	return ((int32)red * 77 + (int32)green * 150 + (int32)blue * 29) >> 8;
}

status_t get_pixel_size_for(color_space space, size_t* pixelChunk, size_t* rowAlignment,
                            size_t* pixelsPerChunk)
{
	size_t chunk = 0;
	size_t pixels = 1;
	switch (space) {
	case B_RGB32:
	case B_RGBA32:
	case B_RGB32_BIG:
	case B_RGBA32_BIG:
		chunk = 4;
		break;
	case B_RGB24:
	case B_RGB24_BIG:
		chunk = 3;
		break;
	case B_RGB16:
	case B_RGB15:
	case B_RGBA15:
	case B_RGB16_BIG:
	case B_RGB15_BIG:
	case B_RGBA15_BIG:
		chunk = 2;
		break;
	case B_CMAP8:
	case B_GRAY8:
		chunk = 1;
		break;
	case B_GRAY1:
		chunk = 1;
		pixels = 8;
		break;
	case B_RGB48:
	case B_RGB48_BIG:
		chunk = 6;
		break;
	case B_RGBA64:
	case B_RGBA64_BIG:
		chunk = 8;
		break;
	default:
		return B_BAD_VALUE;
	}
	if (pixelChunk != nullptr)
		*pixelChunk = chunk;
	// Rows of every colour space are padded to whole 32-bit words.
	if (rowAlignment != nullptr)
		*rowAlignment = 4;
	if (pixelsPerChunk != nullptr)
		*pixelsPerChunk = pixels;
	return B_OK;
}

bool bitmaps_support_space(color_space space, uint32* supportFlags)
{
	uint32 flags = 0;
	bool supported = get_pixel_size_for(space, nullptr, nullptr, nullptr) == B_OK;
	// Views draw into the four-byte little-endian spaces, which are the painter's, and into the
	// palette space through a 32-bit copy of the bitmap (see BitmapHost.h).
	if (space == B_RGB32 || space == B_RGBA32)
		flags = B_VIEWS_SUPPORT_DRAW_BITMAP | B_BITMAPS_SUPPORT_ATTACHED_VIEWS;
	else if (space == B_CMAP8)
		flags = B_BITMAPS_SUPPORT_ATTACHED_VIEWS;
	if (supportFlags != nullptr)
		*supportFlags = flags;
	return supported;
}
