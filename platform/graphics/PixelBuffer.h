// A caller's block of four-byte pixels in the platform's layout (blue, green, red, alpha),
// seen through its size and the distance between rows. It owns nothing: a bitmap, a window's
// back buffer or a test's vector lends its memory for as long as the painter is used.
#ifndef _PIXEL_BUFFER_H
#define _PIXEL_BUFFER_H

#include <GraphicsTypes.h>
#include <IntRect.h>
#include <PixelOps.h>

namespace graphics {

struct PixelBuffer {
	uint8* bits = nullptr;
	int32 width = 0;
	int32 height = 0;
	int32 bytesPerRow = 0;

	constexpr PixelBuffer() = default;
	constexpr PixelBuffer(uint8* b, int32 w, int32 h, int32 bpr)
	    : bits(b), width(w), height(h), bytesPerRow(bpr)
	{
	}

	// A buffer is usable when it has memory and each row can hold its pixels.
	bool IsValid() const
	{
		return bits != nullptr && width > 0 && height > 0 && (int64)bytesPerRow >= (int64)width * 4;
	}
	IntRect Bounds() const { return IntRect(0, 0, width - 1, height - 1); }

	uint8* PixelAt(int32 x, int32 y) const
	{
		return bits + (size_t)y * (size_t)bytesPerRow + (size_t)x * 4;
	}
	Color ColorAt(int32 x, int32 y) const { return load_bgra(PixelAt(x, y)); }
	void SetColorAt(int32 x, int32 y, Color c) const { store_bgra(PixelAt(x, y), c); }
};

} // namespace graphics

#endif
