// Draws into a PixelBuffer: rectangles, lines, text runs and bitmaps, in the platform's
// drawing modes, through an origin and a clipping region. Views aim one at their window's
// back buffer or at the bitmap they are attached to, so both share one rasteriser.
//
// Pixel geometry. Coordinates are floats whose whole numbers are pixel centres: pixel (i, j)
// is the square from i - 0.5 to i + 0.5 (left edge included, right edge not). A rectangle
// covers every pixel whose square it meets, which amounts to rounding each edge to the
// nearest whole number, halves upward. Integer rectangles are therefore exact and inclusive:
// (0, 0, 1, 1) fills 2 x 2 pixels; (0.5, 0, 1.5, 0) fills pixels 1 and 2; a valid rectangle
// never fills nothing. Line end points are rounded the same way and both are drawn.
#ifndef _PAINTER_H
#define _PAINTER_H

#include <Point.h>
#include <Rect.h>

#include <ClipRegion.h>
#include <Compositor.h>
#include <FontTypes.h>
#include <GraphicsTypes.h>
#include <PixelBuffer.h>

namespace graphics {

class Painter {
public:
	// The target must stay valid while the painter draws; an invalid one makes every
	// operation a no-op.
	explicit Painter(const PixelBuffer& target);

	const PixelBuffer& Target() const { return fTarget; }

	// Added to every coordinate before it is snapped to pixels.
	void SetOrigin(BPoint origin) { fOrigin = origin; }
	BPoint Origin() const { return fOrigin; }

	// Limits drawing to the region, given in device pixels; it is intersected with the
	// buffer. ClearClipping allows the whole buffer again.
	void SetClipping(const ClipRegion& region);
	void ClearClipping();
	const ClipRegion& Clipping() const { return fClip; }

	// The defaults are the platform's: black high, white low, Copy, constant alpha, overlay.
	void SetHighColor(Color color) { fCompositor.fHigh = color; }
	void SetLowColor(Color color) { fCompositor.fLow = color; }
	Color HighColor() const { return fCompositor.fHigh; }
	Color LowColor() const { return fCompositor.fLow; }
	void SetDrawingMode(DrawMode mode) { fCompositor.fMode = mode; }
	DrawMode DrawingMode() const { return fCompositor.fMode; }
	void SetBlendingMode(AlphaSource source, AlphaFunction function)
	{
		fCompositor.fAlphaSource = source;
		fCompositor.fAlphaFunction = function;
	}
	// Pens are square and a whole number of pixels wide; the size is rounded, at least 1.
	void SetPenSize(float size);
	int32 PenSize() const { return fPenSize; }

	// The pixels a rectangle in the painter's coordinates covers, before clipping.
	IntRect DeviceRect(const BRect& rect) const { return SnapRect(rect, fOrigin); }
	// The pixels a rectangle covers when `origin` is added to its coordinates.
	static IntRect SnapRect(const BRect& rect, BPoint origin);

	void FillRect(const BRect& rect, const Pattern& pattern = kSolidHigh);
	// Outlines the rectangle: a pen-wide band whose first row and column lie on its edges
	// (for odd pens the band is centred on them).
	void StrokeRect(const BRect& rect, const Pattern& pattern = kSolidHigh);
	void StrokeLine(BPoint from, BPoint to, const Pattern& pattern = kSolidHigh);

	// Draws a UTF-8 run in the high colour with its baseline's start at `where` and returns
	// the pen's advance. In Copy mode antialiased edges are blended from the low colour; in
	// the other modes they are blended with what is already there.
	float DrawString(const char* text, size_t length, BPoint where, const FontSpec& font);
	// Draws an already laid-out run.
	void DrawGlyphs(const GlyphRun& run, BPoint where);

	// Draws the source rectangle (inclusive, in source pixels) of a bitmap into the
	// destination rectangle, scaling by nearest neighbour when the sizes differ.
	void DrawBitmap(const PixelBuffer& source, const IntRect& sourceRect, const BRect& dest);
	// Draws the whole bitmap unscaled with its top-left pixel at `where`.
	void DrawBitmap(const PixelBuffer& source, BPoint where);

private:
	void FillDeviceRect(const IntRect& rect, const Pattern& pattern);
	void DrawGlyph(const Glyph& glyph, int32 penX, int32 baseline);
	void DrawBitmapClipped(const PixelBuffer& source, const IntRect& sourceRect,
	                       const IntRect& dest, const IntRect& clip);

	PixelBuffer fTarget;
	ClipRegion fClip;
	BPoint fOrigin;
	Compositor fCompositor;
	int32 fPenSize = 1;
};

} // namespace graphics

#endif
