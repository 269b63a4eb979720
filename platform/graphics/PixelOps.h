// Byte arithmetic shared by the painter's blending code: exact division by 255 and linear
// interpolation of channels, plus moving colours in and out of the platform's byte order.
#ifndef _PIXEL_OPS_H
#define _PIXEL_OPS_H

#include <cstring>

#include <GraphicsTypes.h>

namespace graphics {

// a * b / 255, rounded to nearest, for bytes.
inline uint8 mul_255(uint32 a, uint32 b)
{
	uint32 t = a * b + 128;
	return (uint8)((t + (t >> 8)) >> 8);
}

// Moves `from` toward `to` by amount / 255, rounded to nearest.
inline uint8 lerp_255(uint8 from, uint8 to, uint8 amount)
{
	int32 diff = (int32)to - (int32)from;
	int32 step = diff * (int32)amount;
	step = step >= 0 ? (step + 127) / 255 : (step - 127) / 255;
	return (uint8)(from + step);
}

inline Color lerp_color(Color from, Color to, uint8 amount)
{
	return Color(lerp_255(from.red, to.red, amount), lerp_255(from.green, to.green, amount),
	             lerp_255(from.blue, to.blue, amount), lerp_255(from.alpha, to.alpha, amount));
}

// The four bytes of a colour in memory order (blue, green, red, alpha) as one word.
inline uint32 pack_bgra(Color c)
{
	uint8 bytes[4] = {c.blue, c.green, c.red, c.alpha};
	uint32 word;
	std::memcpy(&word, bytes, 4);
	return word;
}

inline void store_word(uint8* pixel, uint32 word)
{
	std::memcpy(pixel, &word, 4);
}

inline Color load_bgra(const uint8* pixel)
{
	return Color(pixel[2], pixel[1], pixel[0], pixel[3]);
}

inline void store_bgra(uint8* pixel, Color c)
{
	pixel[0] = c.blue;
	pixel[1] = c.green;
	pixel[2] = c.red;
	pixel[3] = c.alpha;
}

} // namespace graphics

#endif
