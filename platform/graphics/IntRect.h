// A rectangle of whole pixels in device coordinates, inclusive on all four edges like the
// platform's rectangles: (0, 0, 1, 1) holds 2 x 2 pixels. Empty when right < left or
// bottom < top.
#ifndef _INT_RECT_H
#define _INT_RECT_H

#include <algorithm>

#include <SupportDefs.h>

namespace graphics {

struct IntRect {
	int32 left = 0;
	int32 top = 0;
	int32 right = -1;
	int32 bottom = -1;

	constexpr IntRect() = default;
	constexpr IntRect(int32 l, int32 t, int32 r, int32 b) : left(l), top(t), right(r), bottom(b) {}

	constexpr bool IsValid() const { return left <= right && top <= bottom; }
	// Counts of pixels, not the platform's right - left.
	constexpr int32 PixelWidth() const { return IsValid() ? right - left + 1 : 0; }
	constexpr int32 PixelHeight() const { return IsValid() ? bottom - top + 1 : 0; }

	constexpr bool Contains(int32 x, int32 y) const
	{
		return x >= left && x <= right && y >= top && y <= bottom;
	}
	constexpr bool Contains(const IntRect& r) const
	{
		return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
	}
	constexpr bool Intersects(const IntRect& r) const
	{
		return IsValid() && r.IsValid() && r.left <= right && r.right >= left && r.top <= bottom &&
		       r.bottom >= top;
	}
	constexpr IntRect operator&(const IntRect& r) const
	{
		return IntRect(std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
		               std::min(bottom, r.bottom));
	}
	constexpr IntRect OffsetByCopy(int32 dx, int32 dy) const
	{
		return IntRect(left + dx, top + dy, right + dx, bottom + dy);
	}
	constexpr bool operator==(const IntRect& r) const
	{
		return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
	}
	constexpr bool operator!=(const IntRect& r) const { return !(*this == r); }
};

} // namespace graphics

#endif
