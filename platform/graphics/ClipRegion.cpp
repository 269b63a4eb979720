#include <ClipRegion.h>

#include <algorithm>

namespace graphics {

ClipRegion::ClipRegion(const IntRect& rect)
{
	Set(rect);
}

IntRect ClipRegion::Frame() const
{
	if (fRects.empty())
		return IntRect();
	IntRect frame = fRects.front();
	for (const IntRect& r : fRects) {
		frame.left = std::min(frame.left, r.left);
		frame.top = std::min(frame.top, r.top);
		frame.right = std::max(frame.right, r.right);
		frame.bottom = std::max(frame.bottom, r.bottom);
	}
	return frame;
}

int64 ClipRegion::CountPixels() const
{
	int64 count = 0;
	for (const IntRect& r : fRects)
		count += (int64)r.PixelWidth() * r.PixelHeight();
	return count;
}

bool ClipRegion::Contains(int32 x, int32 y) const
{
	for (const IntRect& r : fRects) {
		if (r.Contains(x, y))
			return true;
	}
	return false;
}

void ClipRegion::Set(const IntRect& rect)
{
	fRects.clear();
	if (rect.IsValid())
		fRects.push_back(rect);
}

void ClipRegion::Subtract(const IntRect& from, const IntRect& cut, std::vector<IntRect>* out)
{
	if (!from.Intersects(cut)) {
		if (from.IsValid())
			out->push_back(from);
		return;
	}
	// A band above and below the cut across the whole width, then the pieces left and right
	// of it within the cut's rows.
	if (from.top < cut.top)
		out->push_back(IntRect(from.left, from.top, from.right, cut.top - 1));
	if (from.bottom > cut.bottom)
		out->push_back(IntRect(from.left, cut.bottom + 1, from.right, from.bottom));
	int32 top = std::max(from.top, cut.top);
	int32 bottom = std::min(from.bottom, cut.bottom);
	if (from.left < cut.left)
		out->push_back(IntRect(from.left, top, cut.left - 1, bottom));
	if (from.right > cut.right)
		out->push_back(IntRect(cut.right + 1, top, from.right, bottom));
}

void ClipRegion::Include(const IntRect& rect)
{
	if (!rect.IsValid())
		return;
	// Only the parts of the new rectangle not yet covered are added, so the list stays
	// disjoint.
	std::vector<IntRect> pieces{rect};
	for (const IntRect& existing : fRects) {
		std::vector<IntRect> remaining;
		for (const IntRect& piece : pieces)
			Subtract(piece, existing, &remaining);
		pieces.swap(remaining);
		if (pieces.empty())
			return;
	}
	fRects.insert(fRects.end(), pieces.begin(), pieces.end());
}

void ClipRegion::Include(const ClipRegion& region)
{
	// A region already holds itself; walking its own list while growing it would not end
	// well.
	if (&region == this)
		return;
	for (const IntRect& r : region.fRects)
		Include(r);
}

void ClipRegion::Exclude(const IntRect& rect)
{
	if (!rect.IsValid())
		return;
	std::vector<IntRect> result;
	for (const IntRect& r : fRects)
		Subtract(r, rect, &result);
	fRects.swap(result);
}

void ClipRegion::IntersectWith(const IntRect& rect)
{
	std::vector<IntRect> result;
	for (const IntRect& r : fRects) {
		IntRect part = r & rect;
		if (part.IsValid())
			result.push_back(part);
	}
	fRects.swap(result);
}

void ClipRegion::IntersectWith(const ClipRegion& region)
{
	// Pieces of two disjoint lists are themselves disjoint.
	std::vector<IntRect> result;
	for (const IntRect& a : fRects) {
		for (const IntRect& b : region.fRects) {
			IntRect part = a & b;
			if (part.IsValid())
				result.push_back(part);
		}
	}
	fRects.swap(result);
}

void ClipRegion::OffsetBy(int32 dx, int32 dy)
{
	for (IntRect& r : fRects)
		r = r.OffsetByCopy(dx, dy);
}

} // namespace graphics
