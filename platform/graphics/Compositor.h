// The per-pixel half of the painter: given the drawing mode, the high and low colours and the
// alpha settings, it decides what a pixel becomes when a pattern, a coverage value or a
// bitmap pixel is drawn onto it. The painter does the geometry and clipping and hands it
// pixels that may be touched.
#ifndef _COMPOSITOR_H
#define _COMPOSITOR_H

#include <GraphicsTypes.h>
#include <PixelOps.h>

namespace graphics {

class Compositor {
public:
	Compositor();

	Color fHigh;
	Color fLow;
	DrawMode fMode = DrawMode::Copy;
	AlphaSource fAlphaSource = AlphaSource::Constant;
	AlphaFunction fAlphaFunction = AlphaFunction::Overlay;

	// How a pattern fills under the current settings: when every pixel becomes one colour
	// (or stays as it is) the work is decided once, and the common case of opaque fills
	// costs one store per pixel.
	struct Fill {
		enum Kind { PerPixel, Solid, Nothing } kind;
		uint32 word; // the solid colour in memory order
		const Pattern* pattern;
	};
	Fill PrepareFill(const Pattern& pattern) const;
	// Draws `count` pixels of a row, starting at device column x of device row y (the
	// pattern is anchored to device coordinates).
	void FillSpan(const Fill& fill, uint8* first, int32 x, int32 y, int32 count) const
	{
		if (fill.kind == Fill::Solid) {
			for (int32 i = 0; i < count; i++)
				store_word(first + 4 * i, fill.word);
		} else if (fill.kind == Fill::PerPixel) {
			FillSpanPerPixel(first, x, y, count, *fill.pattern);
		}
	}
	// Draws text ink of the given coverage (1 to 255) onto one pixel.
	void PaintCoverage(uint8* pixel, uint8 coverage) const;
	// Draws one pixel of a bitmap onto one target pixel.
	void PaintBitmapPixel(uint8* pixel, Color source) const;
	// True when bitmap pixels can be copied byte for byte.
	bool CopiesBitmaps() const { return fMode == DrawMode::Copy; }

	// The platform's marker for a pixel that Over mode leaves out.
	static constexpr Color kTransparentMagic = Color(0x77, 0x74, 0x77, 0x00);
	static bool IsTransparent(Color c);

private:
	// Combines `source` with the pixel as the mode says, then blends the result in by
	// `coverage`.
	void Paint(uint8* pixel, Color source, uint8 coverage) const;
	void FillSpanPerPixel(uint8* first, int32 x, int32 y, int32 count,
	                      const Pattern& pattern) const;
};

} // namespace graphics

#endif
