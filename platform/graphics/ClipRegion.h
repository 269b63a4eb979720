// The set of device pixels a painter may touch, kept as a list of rectangles that never
// overlap. Keeping them disjoint matters: modes such as Invert or Add would otherwise apply
// twice to a pixel that two rectangles share.
#ifndef _CLIP_REGION_H
#define _CLIP_REGION_H

#include <vector>

#include <IntRect.h>

namespace graphics {

class ClipRegion {
public:
	ClipRegion() = default;
	explicit ClipRegion(const IntRect& rect);

	bool IsEmpty() const { return fRects.empty(); }
	const std::vector<IntRect>& Rects() const { return fRects; }
	// The smallest rectangle holding every pixel of the region (invalid when empty).
	IntRect Frame() const;
	int64 CountPixels() const;
	bool Contains(int32 x, int32 y) const;

	void MakeEmpty() { fRects.clear(); }
	void Set(const IntRect& rect);
	// Adds the pixels of the rectangle.
	void Include(const IntRect& rect);
	void Include(const ClipRegion& region);
	// Removes the pixels of the rectangle.
	void Exclude(const IntRect& rect);
	// Keeps only the pixels that also lie in the rectangle or region.
	void IntersectWith(const IntRect& rect);
	void IntersectWith(const ClipRegion& region);
	void OffsetBy(int32 dx, int32 dy);

	// Appends the parts of `from` that lie outside `cut` (at most four rectangles).
	static void Subtract(const IntRect& from, const IntRect& cut, std::vector<IntRect>* out);

private:
	std::vector<IntRect> fRects;
};

} // namespace graphics

#endif
