#include <Painter.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <FontEngine.h>

namespace graphics {

namespace {

// Coordinates are clamped to this before they become integers, so a huge or careless
// rectangle can neither overflow an int32 nor make lines walk for ever.
constexpr double kCoordinateLimit = 1 << 29;

// floor(value + 0.5) without a library call: every lamp of a sign costs four of these.
int32 snap(double value)
{
	double shifted = std::clamp(value, -kCoordinateLimit, kCoordinateLimit) + 0.5;
	int64 whole = (int64)shifted;
	return (int32)((double)whole > shifted ? whole - 1 : whole);
}

bool is_finite(BPoint p)
{
	return std::isfinite(p.x) && std::isfinite(p.y);
}

// floor(numerator / denominator) for a positive denominator.
int64 floor_div(int64 numerator, int64 denominator)
{
	int64 quotient = numerator / denominator;
	return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

} // namespace

Painter::Painter(const PixelBuffer& target) : fTarget(target)
{
	ClearClipping();
}

void Painter::SetClipping(const ClipRegion& region)
{
	fClip = region;
	if (fTarget.IsValid())
		fClip.IntersectWith(fTarget.Bounds());
	else
		fClip.MakeEmpty();
}

void Painter::ClearClipping()
{
	if (fTarget.IsValid())
		fClip.Set(fTarget.Bounds());
	else
		fClip.MakeEmpty();
}

void Painter::SetPenSize(float size)
{
	if (!std::isfinite(size) || size < 1)
		size = 1;
	fPenSize = (int32)std::min(std::round(size), 4096.0f);
}

IntRect Painter::SnapRect(const BRect& rect, BPoint origin)
{
	if (!std::isfinite(rect.left) || !std::isfinite(rect.top) || !std::isfinite(rect.right) ||
	    !std::isfinite(rect.bottom) || !rect.IsValid())
		return IntRect();
	return IntRect(snap((double)rect.left + origin.x), snap((double)rect.top + origin.y),
	               snap((double)rect.right + origin.x), snap((double)rect.bottom + origin.y));
}

void Painter::FillDeviceRect(const IntRect& rect, const Pattern& pattern)
{
	if (!rect.IsValid())
		return;
	Compositor::Fill fill = fCompositor.PrepareFill(pattern);
	if (fill.kind == Compositor::Fill::Nothing)
		return;
	for (const IntRect& clip : fClip.Rects()) {
		IntRect part = rect & clip;
		if (!part.IsValid())
			continue;
		int32 count = part.PixelWidth();
		for (int32 y = part.top; y <= part.bottom; y++)
			fCompositor.FillSpan(fill, fTarget.PixelAt(part.left, y), part.left, y, count);
	}
}

void Painter::FillRect(const BRect& rect, const Pattern& pattern)
{
	FillDeviceRect(DeviceRect(rect), pattern);
}

void Painter::StrokeRect(const BRect& rect, const Pattern& pattern)
{
	IntRect r = DeviceRect(rect);
	if (!r.IsValid())
		return;
	int32 before = (fPenSize - 1) / 2;
	int32 after = fPenSize - 1 - before;
	IntRect outer(r.left - before, r.top - before, r.right + after, r.bottom + after);
	IntRect inner(outer.left + fPenSize, outer.top + fPenSize, outer.right - fPenSize,
	              outer.bottom - fPenSize);
	// The band is the outer rectangle less the inner one, as disjoint pieces, so no pixel is
	// drawn twice even in modes that do not repeat harmlessly.
	std::vector<IntRect> pieces;
	ClipRegion::Subtract(outer, inner, &pieces);
	for (const IntRect& piece : pieces)
		FillDeviceRect(piece, pattern);
}

void Painter::StrokeLine(BPoint from, BPoint to, const Pattern& pattern)
{
	if (!is_finite(from) || !is_finite(to) || fClip.IsEmpty())
		return;
	int32 x0 = snap((double)from.x + fOrigin.x), y0 = snap((double)from.y + fOrigin.y);
	int32 x1 = snap((double)to.x + fOrigin.x), y1 = snap((double)to.y + fOrigin.y);
	int32 before = (fPenSize - 1) / 2;
	int32 after = fPenSize - 1 - before;
	if (x0 == x1 || y0 == y1) {
		// Horizontal and vertical lines are rectangles; pens widen them across the line.
		IntRect r(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
		if (y0 == y1) {
			r.top -= before;
			r.bottom += after;
		} else {
			r.left -= before;
			r.right += after;
		}
		FillDeviceRect(r, pattern);
		return;
	}
	// Each step along the major axis gets the minor coordinate of the ideal line rounded to
	// the nearest pixel (halves toward larger values). Being a formula rather than a walk,
	// it lets the painter visit only the steps inside the drawable area and still draw
	// exactly the pixels of the whole line; it also draws A to B and B to A alike. A wider
	// pen draws a run across the major axis at each step, so no pixel is painted twice.
	bool xMajor = std::abs((int64)x1 - x0) >= std::abs((int64)y1 - y0);
	if (!xMajor) {
		std::swap(x0, y0);
		std::swap(x1, y1);
	}
	if (x0 > x1) {
		std::swap(x0, x1);
		std::swap(y0, y1);
	}
	IntRect frame = fClip.Frame();
	int32 first = std::max(x0, xMajor ? frame.left : frame.top);
	int32 last = std::min(x1, xMajor ? frame.right : frame.bottom);
	int64 run = (int64)x1 - x0, rise = (int64)y1 - y0;
	for (int32 major = first; major <= last; major++) {
		int32 minor = (int32)(y0 + floor_div(2 * ((int64)major - x0) * rise + run, 2 * run));
		if (xMajor)
			FillDeviceRect(IntRect(major, minor - before, major, minor + after), pattern);
		else
			FillDeviceRect(IntRect(minor - before, major, minor + after, major), pattern);
	}
}

float Painter::DrawString(const char* text, size_t length, BPoint where, const FontSpec& font)
{
	GlyphRun run;
	if (FontEngine::Default().Layout(font, text, length, &run) != B_OK)
		return 0;
	DrawGlyphs(run, where);
	return run.advance;
}

void Painter::DrawGlyphs(const GlyphRun& run, BPoint where)
{
	if (!is_finite(where) || fClip.IsEmpty())
		return;
	int32 baseline = snap((double)where.y + fOrigin.y);
	for (const PlacedGlyph& placed : run.glyphs) {
		if (placed.glyph != nullptr)
			DrawGlyph(*placed.glyph, snap((double)where.x + fOrigin.x + placed.x), baseline);
	}
}

void Painter::DrawGlyph(const Glyph& glyph, int32 penX, int32 baseline)
{
	if (glyph.width <= 0 || glyph.height <= 0)
		return;
	int32 left = penX + glyph.left;
	int32 top = baseline - glyph.top;
	IntRect box(left, top, left + glyph.width - 1, top + glyph.height - 1);
	Compositor::Fill fill = fCompositor.PrepareFill(kSolidHigh);
	for (const IntRect& clip : fClip.Rects()) {
		IntRect part = box & clip;
		if (!part.IsValid())
			continue;
		if (glyph.monochrome) {
			for (const GlyphSpan& span : glyph.spans) {
				int32 y = top + span.y;
				if (y < part.top || y > part.bottom)
					continue;
				int32 x0 = std::max(left + span.x, part.left);
				int32 x1 = std::min(left + span.x + span.length - 1, part.right);
				if (x0 <= x1)
					fCompositor.FillSpan(fill, fTarget.PixelAt(x0, y), x0, y, x1 - x0 + 1);
			}
			continue;
		}
		for (int32 y = part.top; y <= part.bottom; y++) {
			const uint8* coverage = glyph.coverage.data() + (size_t)(y - top) * glyph.width;
			uint8* pixel = fTarget.PixelAt(part.left, y);
			for (int32 x = part.left; x <= part.right; x++, pixel += 4) {
				uint8 c = coverage[x - left];
				if (c != 0)
					fCompositor.PaintCoverage(pixel, c);
			}
		}
	}
}

void Painter::DrawBitmap(const PixelBuffer& source, BPoint where)
{
	if (!source.IsValid())
		return;
	DrawBitmap(source, source.Bounds(),
	           BRect(where.x, where.y, where.x + source.width - 1, where.y + source.height - 1));
}

void Painter::DrawBitmap(const PixelBuffer& source, const IntRect& sourceRect, const BRect& dest)
{
	if (!source.IsValid() || fClip.IsEmpty())
		return;
	// A source rectangle reaching beyond the bitmap is cut to it.
	IntRect from = sourceRect & source.Bounds();
	IntRect to = DeviceRect(dest);
	if (!from.IsValid() || !to.IsValid())
		return;
	PixelBuffer input = source;
	std::vector<uint8> copy;
	if (source.bits == fTarget.bits) {
		// Drawing a buffer into itself must read the pixels as they were before.
		copy.resize((size_t)from.PixelWidth() * from.PixelHeight() * 4);
		for (int32 y = from.top; y <= from.bottom; y++) {
			std::memcpy(copy.data() + (size_t)(y - from.top) * from.PixelWidth() * 4,
			            source.PixelAt(from.left, y), (size_t)from.PixelWidth() * 4);
		}
		input =
		    PixelBuffer(copy.data(), from.PixelWidth(), from.PixelHeight(), from.PixelWidth() * 4);
		from = input.Bounds();
	}
	for (const IntRect& clip : fClip.Rects()) {
		IntRect part = to & clip;
		if (part.IsValid())
			DrawBitmapClipped(input, from, to, part);
	}
}

void Painter::DrawBitmapClipped(const PixelBuffer& source, const IntRect& from, const IntRect& to,
                                const IntRect& part)
{
	int64 sw = from.PixelWidth(), sh = from.PixelHeight();
	int64 dw = to.PixelWidth(), dh = to.PixelHeight();
	bool unscaled = sw == dw && sh == dh;
	for (int32 y = part.top; y <= part.bottom; y++) {
		// Each target pixel takes the source pixel under its centre.
		int32 sy = from.top +
		           (int32)(unscaled ? y - to.top : ((2 * (int64)(y - to.top) + 1) * sh) / (2 * dh));
		uint8* pixel = fTarget.PixelAt(part.left, y);
		if (unscaled && fCompositor.CopiesBitmaps()) {
			std::memcpy(pixel, source.PixelAt(from.left + part.left - to.left, sy),
			            (size_t)part.PixelWidth() * 4);
			continue;
		}
		for (int32 x = part.left; x <= part.right; x++, pixel += 4) {
			int32 sx =
			    from.left +
			    (int32)(unscaled ? x - to.left : ((2 * (int64)(x - to.left) + 1) * sw) / (2 * dw));
			fCompositor.PaintBitmapPixel(pixel, source.ColorAt(sx, sy));
		}
	}
}

} // namespace graphics
