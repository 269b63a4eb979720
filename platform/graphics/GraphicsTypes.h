// Small value types the rasteriser works with: a colour, an 8 x 8 pattern and the drawing
// modes. They mirror what views hand down, but the graphics kit keeps its own copies so that
// it never depends on the view classes.
#ifndef _GRAPHICS_TYPES_H
#define _GRAPHICS_TYPES_H

#include <SupportDefs.h>

namespace graphics {

// A colour with straight (not premultiplied) alpha.
struct Color {
	uint8 red = 0;
	uint8 green = 0;
	uint8 blue = 0;
	uint8 alpha = 255;

	constexpr Color() = default;
	constexpr Color(uint8 r, uint8 g, uint8 b, uint8 a = 255) : red(r), green(g), blue(b), alpha(a)
	{
	}
	constexpr bool operator==(const Color& other) const
	{
		return red == other.red && green == other.green && blue == other.blue &&
		       alpha == other.alpha;
	}
	constexpr bool operator!=(const Color& other) const { return !(*this == other); }
};

// Eight rows of eight bits; a set bit takes the high colour, a clear bit the low colour. The
// most significant bit of a row is its leftmost pixel. Patterns are anchored to the pixel
// grid of the target buffer, so adjacent fills continue one another seamlessly.
struct Pattern {
	uint8 rows[8];

	constexpr bool IsSolidHigh() const { return AllRows() == ~uint64(0); }
	constexpr bool IsSolidLow() const { return AllRows() == 0; }
	constexpr uint64 AllRows() const
	{
		uint64 all = 0;
		for (uint8 row : rows)
			all = all << 8 | row;
		return all;
	}
	constexpr bool IsHigh(int32 x, int32 y) const { return (rows[y & 7] >> (7 - (x & 7))) & 1; }
};

constexpr Pattern kSolidHigh = {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
constexpr Pattern kSolidLow = {{0, 0, 0, 0, 0, 0, 0, 0}};
constexpr Pattern kMixedColors = {{0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55}};

// How a source colour meets the pixel already there.
enum class DrawMode {
	Copy,     // the pattern's colour replaces the pixel, low colour included
	Over,     // like Copy, but the low colour (and transparent bitmap pixels) leave it alone
	Erase,    // the high parts of the pattern paint the low colour
	Invert,   // the high parts of the pattern invert the pixel's colour
	Add,      // channel-wise sum, saturating at 255
	Subtract, // channel-wise difference, saturating at 0
	Blend,    // channel-wise average
	Min,      // channel-wise minimum
	Max,      // channel-wise maximum
	Select,   // the high parts swap pixels of the high colour and of the low colour
	Alpha,    // alpha blending as the alpha source and function say
};

// Where Alpha mode takes its alpha from: the high colour, or each bitmap pixel.
enum class AlphaSource { Constant, PerPixel };

// Overlay keeps the target's alpha; Composite combines both alphas as a picture laid over
// another does.
enum class AlphaFunction { Overlay, Composite };

// The byte order of four-byte pixels in memory.
enum class PixelLayout {
	Bgra, // the platform's 32-bit layout: blue, green, red, alpha
	Rgba, // the order PNG files use
};

} // namespace graphics

#endif
