// The per-pixel half of the painter: given the drawing mode, the high and low colours and the
// alpha settings, it decides what a pixel becomes when a pattern, a coverage value or a
// bitmap pixel is drawn onto it. The painter does the geometry and clipping and hands it
// pixels that may be touched.
#ifndef _COMPOSITOR_H
#define _COMPOSITOR_H

#include <GraphicsTypes.h>

namespace graphics {

class Compositor {
public:
	Compositor();

	Color fHigh;
	Color fLow;
	DrawMode fMode = DrawMode::Copy;
	AlphaSource fAlphaSource = AlphaSource::Constant;
	AlphaFunction fAlphaFunction = AlphaFunction::Overlay;

	// Draws `count` pixels of a row, starting at device column x of device row y (the
	// pattern is anchored to device coordinates).
	void FillSpan(uint8* first, int32 x, int32 y, int32 count, const Pattern& pattern) const;
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
	// When a whole span becomes one colour (or stays as it is), gives that colour; the
	// common case of opaque fills then costs one store per pixel.
	enum class SpanKind { PerPixel, Solid, Nothing };
	SpanKind Classify(const Pattern& pattern, Color* solid) const;
};

} // namespace graphics

#endif
