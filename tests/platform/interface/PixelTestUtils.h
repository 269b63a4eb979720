// Reading pixels of B_RGBA32 bitmaps in tests, in memory order blue, green, red, alpha.
#ifndef _PIXEL_TEST_UTILS_H
#define _PIXEL_TEST_UTILS_H

#include <ostream>
#include <set>

#include <Bitmap.h>
#include <GraphicsDefs.h>

inline rgb_color pixel_at(const BBitmap& bitmap, int32 x, int32 y)
{
	const uint8* p = (const uint8*)bitmap.Bits() + (size_t)y * bitmap.BytesPerRow() + x * 4;
	return make_color(p[2], p[1], p[0], p[3]);
}

inline int32 pixel_width(const BBitmap& bitmap)
{
	return bitmap.BytesPerRow() / 4;
}

inline int32 pixel_height(const BBitmap& bitmap)
{
	return bitmap.BitsLength() / bitmap.BytesPerRow();
}

// The number of pixels of the colour.
inline int32 count_pixels(const BBitmap& bitmap, rgb_color color)
{
	int32 count = 0;
	for (int32 y = 0; y < pixel_height(bitmap); y++) {
		for (int32 x = 0; x < pixel_width(bitmap); x++)
			count += pixel_at(bitmap, x, y) == color;
	}
	return count;
}

inline std::set<uint32> distinct_pixels(const BBitmap& bitmap)
{
	std::set<uint32> values;
	const uint32* pixels = (const uint32*)bitmap.Bits();
	for (int32 i = 0; i < bitmap.BitsLength() / 4; i++)
		values.insert(pixels[i]);
	return values;
}

inline std::ostream& operator<<(std::ostream& out, const rgb_color& c)
{
	return out << "rgb(" << (int)c.red << ", " << (int)c.green << ", " << (int)c.blue << ", "
	           << (int)c.alpha << ")";
}

#endif
