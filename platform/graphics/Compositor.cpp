#include <Compositor.h>

#include <algorithm>

#include <PixelOps.h>

namespace graphics {

Compositor::Compositor() : fHigh(0, 0, 0, 255), fLow(255, 255, 255, 255) {}

bool Compositor::IsTransparent(Color c)
{
	return c.alpha == 0 || (c.red == kTransparentMagic.red && c.green == kTransparentMagic.green &&
	                        c.blue == kTransparentMagic.blue);
}

Compositor::Fill Compositor::PrepareFill(const Pattern& pattern) const
{
	Fill perPixel{Fill::PerPixel, 0, &pattern};
	Fill nothing{Fill::Nothing, 0, &pattern};
	auto solid = [&](Color c) { return Fill{Fill::Solid, pack_bgra(c), &pattern}; };
	bool high = pattern.IsSolidHigh();
	bool low = pattern.IsSolidLow();
	if (!high && !low)
		return perPixel;
	switch (fMode) {
	case DrawMode::Copy:
		return solid(high ? fHigh : fLow);
	case DrawMode::Over:
		return low ? nothing : solid(fHigh);
	case DrawMode::Erase:
		return low ? nothing : solid(fLow);
	case DrawMode::Invert:
	case DrawMode::Select:
		return low ? nothing : perPixel;
	case DrawMode::Alpha: {
		Color c = high ? fHigh : fLow;
		if (fAlphaFunction == AlphaFunction::Composite && c.alpha == 255)
			return solid(c);
		return c.alpha == 0 ? nothing : perPixel;
	}
	default:
		return perPixel;
	}
}

void Compositor::FillSpanPerPixel(uint8* first, int32 x, int32 y, int32 count,
                                  const Pattern& pattern) const
{
	for (int32 i = 0; i < count; i++) {
		bool high = pattern.IsHigh(x + i, y);
		uint8* pixel = first + 4 * i;
		switch (fMode) {
		case DrawMode::Over:
		case DrawMode::Invert:
		case DrawMode::Select:
			if (high)
				Paint(pixel, fHigh, 255);
			break;
		case DrawMode::Erase:
			if (high)
				Paint(pixel, fLow, 255);
			break;
		default:
			Paint(pixel, high ? fHigh : fLow, 255);
			break;
		}
	}
}

void Compositor::PaintCoverage(uint8* pixel, uint8 coverage) const
{
	switch (fMode) {
	case DrawMode::Copy:
		// Copy assumes the text lies on the low colour, as the platform's does, so the
		// edges are mixed from it rather than from the pixel.
		store_bgra(pixel, lerp_color(fLow, fHigh, coverage));
		return;
	case DrawMode::Erase:
		Paint(pixel, fLow, coverage);
		return;
	case DrawMode::Select:
		if (coverage >= 128)
			Paint(pixel, fHigh, 255);
		return;
	default:
		Paint(pixel, fHigh, coverage);
		return;
	}
}

void Compositor::PaintBitmapPixel(uint8* pixel, Color source) const
{
	switch (fMode) {
	case DrawMode::Copy:
		store_bgra(pixel, source);
		return;
	case DrawMode::Over:
	case DrawMode::Invert:
	case DrawMode::Select:
		if (!IsTransparent(source))
			Paint(pixel, source, 255);
		return;
	case DrawMode::Erase:
		if (!IsTransparent(source))
			Paint(pixel, fLow, 255);
		return;
	case DrawMode::Alpha:
		if (fAlphaSource == AlphaSource::Constant)
			source.alpha = fHigh.alpha;
		Paint(pixel, source, 255);
		return;
	default:
		Paint(pixel, source, 255);
		return;
	}
}

void Compositor::Paint(uint8* pixel, Color source, uint8 coverage) const
{
	Color dest = load_bgra(pixel);
	Color result = source;
	switch (fMode) {
	case DrawMode::Copy:
	case DrawMode::Over:
	case DrawMode::Erase:
		break;
	case DrawMode::Invert:
		result = Color(255 - dest.red, 255 - dest.green, 255 - dest.blue, dest.alpha);
		break;
	case DrawMode::Add:
		result =
		    Color(std::min(255, dest.red + source.red), std::min(255, dest.green + source.green),
		          std::min(255, dest.blue + source.blue), dest.alpha);
		break;
	case DrawMode::Subtract:
		result = Color(std::max(0, dest.red - source.red), std::max(0, dest.green - source.green),
		               std::max(0, dest.blue - source.blue), dest.alpha);
		break;
	case DrawMode::Blend:
		result = Color((dest.red + source.red + 1) / 2, (dest.green + source.green + 1) / 2,
		               (dest.blue + source.blue + 1) / 2, dest.alpha);
		break;
	case DrawMode::Min:
		result = Color(std::min(dest.red, source.red), std::min(dest.green, source.green),
		               std::min(dest.blue, source.blue), dest.alpha);
		break;
	case DrawMode::Max:
		result = Color(std::max(dest.red, source.red), std::max(dest.green, source.green),
		               std::max(dest.blue, source.blue), dest.alpha);
		break;
	case DrawMode::Select: {
		auto sameColour = [](Color a, Color b) {
			return a.red == b.red && a.green == b.green && a.blue == b.blue;
		};
		if (sameColour(dest, fHigh))
			result = Color(fLow.red, fLow.green, fLow.blue, dest.alpha);
		else if (sameColour(dest, fLow))
			result = Color(fHigh.red, fHigh.green, fHigh.blue, dest.alpha);
		else
			return;
		break;
	}
	case DrawMode::Alpha: {
		// Coverage scales the source's alpha; the result is stored as it is.
		uint8 alpha = mul_255(source.alpha, coverage);
		if (fAlphaFunction == AlphaFunction::Overlay) {
			store_bgra(pixel, Color(lerp_255(dest.red, source.red, alpha),
			                        lerp_255(dest.green, source.green, alpha),
			                        lerp_255(dest.blue, source.blue, alpha), dest.alpha));
			return;
		}
		// Porter and Duff's "over" on straight alpha.
		uint32 below = mul_255(dest.alpha, 255 - alpha);
		uint32 outAlpha = alpha + below;
		if (outAlpha == 0) {
			store_bgra(pixel, Color(0, 0, 0, 0));
			return;
		}
		auto channel = [&](uint8 s, uint8 d) {
			return (uint8)((s * alpha + d * below + outAlpha / 2) / outAlpha);
		};
		store_bgra(pixel, Color(channel(source.red, dest.red), channel(source.green, dest.green),
		                        channel(source.blue, dest.blue), (uint8)outAlpha));
		return;
	}
	}
	store_bgra(pixel, coverage == 255 ? result : lerp_color(dest, result, coverage));
}

} // namespace graphics
