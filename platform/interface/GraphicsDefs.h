// The value types of drawing: colours, colour spaces, patterns, drawing and blending modes,
// with the platform's layouts and numeric values so that stored colours and archived views
// keep their meaning.
#ifndef _GRAPHICS_DEFS_H
#define _GRAPHICS_DEFS_H

#include <SupportDefs.h>

// Eight rows of eight bits; a set bit draws the high colour, a clear bit the low colour.
struct pattern {
	uint8 data[8];

	bool operator==(const pattern& other) const;
	bool operator!=(const pattern& other) const { return !(*this == other); }
};

extern const pattern B_SOLID_HIGH;
extern const pattern B_MIXED_COLORS;
extern const pattern B_SOLID_LOW;

// Four bytes in the order red, green, blue, alpha, as stored in messages and files.
struct rgb_color {
	uint8 red;
	uint8 green;
	uint8 blue;
	uint8 alpha;

	rgb_color& set_to(uint8 r, uint8 g, uint8 b, uint8 a = 255)
	{
		red = r;
		green = g;
		blue = b;
		alpha = a;
		return *this;
	}
	// The perceived lightness, 0 to 255.
	int32 Brightness() const;

	bool operator==(const rgb_color& other) const
	{
		return red == other.red && green == other.green && blue == other.blue &&
		       alpha == other.alpha;
	}
	bool operator!=(const rgb_color& other) const { return !(*this == other); }
};

inline rgb_color make_color(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
{
	rgb_color color = {red, green, blue, alpha};
	return color;
}

extern const rgb_color B_TRANSPARENT_COLOR;
extern const uint8 B_TRANSPARENT_MAGIC_CMAP8;
extern const uint16 B_TRANSPARENT_MAGIC_RGBA15;
extern const uint16 B_TRANSPARENT_MAGIC_RGBA15_BIG;
extern const uint32 B_TRANSPARENT_MAGIC_RGBA32;
extern const uint32 B_TRANSPARENT_MAGIC_RGBA32_BIG;
extern const uint8 B_TRANSPARENT_8_BIT;
extern const rgb_color B_TRANSPARENT_32_BIT;

// The colour map of the eight-bit colour space.
struct color_map {
	int32 id;
	rgb_color color_list[256];
	uint8 inversion_map[256];
	uint8 index_map[32768];
};

// Pixel formats. The names without an endianness suffix are little-endian: a B_RGBA32 pixel
// lies in memory as blue, green, red, alpha.
enum color_space {
	B_NO_COLOR_SPACE = 0x0000,

	B_RGB32 = 0x0008,
	B_RGBA32 = 0x2008,
	B_RGB24 = 0x0003,
	B_RGB16 = 0x0005,
	B_RGB15 = 0x0010,
	B_RGBA15 = 0x2010,
	B_CMAP8 = 0x0004,
	B_GRAY8 = 0x0002,
	B_GRAY1 = 0x0001,

	B_RGB32_BIG = 0x1008,
	B_RGBA32_BIG = 0x3008,
	B_RGB24_BIG = 0x1003,
	B_RGB16_BIG = 0x1005,
	B_RGB15_BIG = 0x1010,
	B_RGBA15_BIG = 0x3010,

	B_RGB32_LITTLE = B_RGB32,
	B_RGBA32_LITTLE = B_RGBA32,
	B_RGB24_LITTLE = B_RGB24,
	B_RGB16_LITTLE = B_RGB16,
	B_RGB15_LITTLE = B_RGB15,
	B_RGBA15_LITTLE = B_RGBA15,

	B_RGB48 = 0x0011,
	B_RGB48_BIG = 0x1011,
	B_RGBA64 = 0x2012,
	B_RGBA64_BIG = 0x3012,
};

// Tells the size of a pixel (or, for B_GRAY1, of the byte holding eight of them), the
// alignment of a row in bytes and how many pixels one such chunk holds. Unknown spaces give
// B_BAD_VALUE.
status_t get_pixel_size_for(color_space space, size_t* pixelChunk, size_t* rowAlignment,
                            size_t* pixelsPerChunk);

enum {
	B_VIEWS_SUPPORT_DRAW_BITMAP = 0x1,
	B_BITMAPS_SUPPORT_ATTACHED_VIEWS = 0x2,
	B_BITMAPS_SUPPORT_OVERLAY = 0x4,
};

// Whether bitmaps of this colour space can be made and drawn into; `supportFlags` receives
// the B_*_SUPPORT_* flags.
bool bitmaps_support_space(color_space space, uint32* supportFlags);

enum drawing_mode {
	B_OP_COPY,
	B_OP_OVER,
	B_OP_ERASE,
	B_OP_INVERT,
	B_OP_ADD,
	B_OP_SUBTRACT,
	B_OP_BLEND,
	B_OP_MIN,
	B_OP_MAX,
	B_OP_SELECT,
	B_OP_ALPHA,
};

enum source_alpha {
	B_PIXEL_ALPHA = 0,
	B_CONSTANT_ALPHA,
};

enum alpha_function {
	B_ALPHA_OVERLAY = 0,
	B_ALPHA_COMPOSITE,
};

enum {
	B_8_BIT_640x480 = 0x00000001,
	B_8_BIT_800x600 = 0x00000002,
	B_8_BIT_1024x768 = 0x00000004,
	B_32_BIT_640x480 = 0x00000100,
	B_32_BIT_800x600 = 0x00000200,
	B_32_BIT_1024x768 = 0x00000400,
};

struct screen_id {
	int32 id;
};

extern const struct screen_id B_MAIN_SCREEN_ID;

#endif
