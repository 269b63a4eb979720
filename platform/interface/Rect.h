// An axis-aligned rectangle with inclusive edges: (0, 0, n - 1, m - 1) covers n x m pixels.
// A rectangle is valid while left <= right and top <= bottom.
#ifndef _RECT_H
#define _RECT_H

#include <cmath>

#include <Point.h>
#include <Size.h>

class BRect {
public:
	float left;
	float top;
	float right;
	float bottom;

	// The default rectangle is invalid (right < left), as on the platform.
	constexpr BRect() : left(0), top(0), right(-1), bottom(-1) {}
	constexpr BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
	constexpr BRect(BPoint leftTop, BPoint rightBottom)
	    : left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y)
	{
	}
	// A square of `side` pixels from the origin.
	constexpr explicit BRect(float side) : left(0), top(0), right(side - 1), bottom(side - 1) {}
	constexpr BRect(BPoint leftTop, BSize size)
	    : left(leftTop.x), top(leftTop.y), right(leftTop.x + size.width),
	      bottom(leftTop.y + size.height)
	{
	}

	void Set(float l, float t, float r, float b)
	{
		left = l;
		top = t;
		right = r;
		bottom = b;
	}

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }
	void SetLeftTop(BPoint p)
	{
		left = p.x;
		top = p.y;
	}
	void SetRightBottom(BPoint p)
	{
		right = p.x;
		bottom = p.y;
	}

	// The platform's widths are distances between edge coordinates, one less than the number
	// of pixels an integer rectangle covers.
	float Width() const { return right - left; }
	float Height() const { return bottom - top; }
	BSize Size() const { return BSize(right - left, bottom - top); }
	int32 IntegerWidth() const { return (int32)std::ceil(right - left); }
	int32 IntegerHeight() const { return (int32)std::ceil(bottom - top); }
	bool IsValid() const { return left <= right && top <= bottom; }

	BRect& OffsetBy(float dx, float dy)
	{
		left += dx;
		right += dx;
		top += dy;
		bottom += dy;
		return *this;
	}
	BRect& OffsetBy(BPoint d) { return OffsetBy(d.x, d.y); }
	BRect& OffsetTo(float x, float y) { return OffsetBy(x - left, y - top); }
	BRect& OffsetTo(BPoint p) { return OffsetTo(p.x, p.y); }
	BRect& OffsetBySelf(float dx, float dy) { return OffsetBy(dx, dy); }
	BRect& OffsetToSelf(float x, float y) { return OffsetTo(x, y); }
	BRect OffsetByCopy(float dx, float dy) const { return BRect(*this).OffsetBy(dx, dy); }
	BRect OffsetByCopy(BPoint d) const { return BRect(*this).OffsetBy(d); }
	BRect OffsetToCopy(float x, float y) const { return BRect(*this).OffsetTo(x, y); }
	BRect OffsetToCopy(BPoint p) const { return BRect(*this).OffsetTo(p); }

	BRect& InsetBy(float dx, float dy)
	{
		left += dx;
		right -= dx;
		top += dy;
		bottom -= dy;
		return *this;
	}
	BRect& InsetBy(BPoint d) { return InsetBy(d.x, d.y); }
	BRect& InsetBySelf(float dx, float dy) { return InsetBy(dx, dy); }
	BRect InsetByCopy(float dx, float dy) const { return BRect(*this).InsetBy(dx, dy); }
	BRect InsetByCopy(BPoint d) const { return BRect(*this).InsetBy(d); }

	bool Intersects(BRect r) const
	{
		if (!IsValid() || !r.IsValid())
			return false;
		return !(r.left > right || r.right < left || r.top > bottom || r.bottom < top);
	}
	bool Contains(BPoint p) const
	{
		return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
	}
	// An invalid rectangle holds nothing and lies in nothing.
	bool Contains(BRect r) const
	{
		if (!IsValid() || !r.IsValid())
			return false;
		return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
	}

	// Intersection.
	BRect operator&(BRect r) const
	{
		return BRect(std::fmax(left, r.left), std::fmax(top, r.top), std::fmin(right, r.right),
		             std::fmin(bottom, r.bottom));
	}
	// Union (the smallest rectangle holding both).
	BRect operator|(BRect r) const
	{
		return BRect(std::fmin(left, r.left), std::fmin(top, r.top), std::fmax(right, r.right),
		             std::fmax(bottom, r.bottom));
	}
	bool operator==(BRect r) const
	{
		return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
	}
	bool operator!=(BRect r) const { return !(*this == r); }

	void PrintToStream() const;
};

#endif
