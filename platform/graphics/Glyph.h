// One rendered glyph at one size, as the glyph cache keeps it. Monochrome glyphs are kept as
// horizontal runs of ink, which the painter fills like tiny rectangles; antialiased glyphs
// keep one coverage byte per pixel for blending.
#ifndef _GLYPH_H
#define _GLYPH_H

#include <cstddef>
#include <vector>

#include <SupportDefs.h>

namespace graphics {

// A run of `length` inked pixels in row `y` from column `x` of the glyph's bitmap.
struct GlyphSpan {
	int32 y;
	int32 x;
	int32 length;
};

struct Glyph {
	// Offsets of the bitmap's top-left pixel from the pen: `left` to the right of it, `top`
	// above the baseline (so the first row lies at baseline - top).
	int32 left = 0;
	int32 top = 0;
	int32 width = 0;
	int32 height = 0;
	bool monochrome = false;
	std::vector<uint8> coverage;  // width * height bytes, antialiased glyphs only
	std::vector<GlyphSpan> spans; // monochrome glyphs only

	size_t MemorySize() const
	{
		return sizeof(Glyph) + coverage.capacity() + spans.capacity() * sizeof(GlyphSpan);
	}
};

} // namespace graphics

#endif
