#include <gtest/gtest.h>

#include <ClipRegion.h>

using graphics::ClipRegion;
using graphics::IntRect;

namespace {

// Checks the invariant the painter relies on: no pixel lies in two rectangles.
bool disjoint(const ClipRegion& region)
{
	const auto& rects = region.Rects();
	for (size_t i = 0; i < rects.size(); i++) {
		for (size_t j = i + 1; j < rects.size(); j++) {
			if (rects[i].Intersects(rects[j]))
				return false;
		}
	}
	return true;
}

} // namespace

TEST(ClipRegion, IncludeOfOverlappingRectanglesStaysDisjointAndCountsEachPixelOnce)
{
	ClipRegion region(IntRect(0, 0, 9, 9));
	region.Include(IntRect(5, 5, 14, 14));
	region.Include(IntRect(2, 2, 3, 3)); // already inside
	EXPECT_TRUE(disjoint(region));
	EXPECT_EQ(region.CountPixels(), 100 + 100 - 25);
	EXPECT_TRUE(region.Contains(14, 14));
	EXPECT_FALSE(region.Contains(14, 0));
	EXPECT_EQ(region.Frame(), IntRect(0, 0, 14, 14));
	region.Include(region);
	region.IntersectWith(region);
	EXPECT_EQ(region.CountPixels(), 175);
}

TEST(ClipRegion, ExcludeCutsAHoleAndIntersectKeepsOnlyTheCommonPart)
{
	ClipRegion region(IntRect(0, 0, 9, 9));
	region.Exclude(IntRect(3, 3, 6, 6));
	EXPECT_TRUE(disjoint(region));
	EXPECT_EQ(region.CountPixels(), 100 - 16);
	EXPECT_FALSE(region.Contains(3, 3));
	EXPECT_TRUE(region.Contains(2, 3));

	region.IntersectWith(IntRect(0, 0, 4, 4));
	EXPECT_EQ(region.CountPixels(), 25 - 4);

	ClipRegion other(IntRect(0, 0, 1, 1));
	region.IntersectWith(other);
	EXPECT_EQ(region.CountPixels(), 4);
	region.IntersectWith(IntRect(20, 20, 30, 30));
	EXPECT_TRUE(region.IsEmpty());
	EXPECT_FALSE(region.Frame().IsValid());
}

TEST(ClipRegion, InvalidRectanglesChangeNothing)
{
	ClipRegion region;
	region.Include(IntRect(5, 5, 4, 4));
	EXPECT_TRUE(region.IsEmpty());
	region.Set(IntRect(0, 0, 3, 3));
	region.Exclude(IntRect());
	EXPECT_EQ(region.CountPixels(), 16);
	region.OffsetBy(10, -2);
	EXPECT_TRUE(region.Contains(13, 1));
	EXPECT_FALSE(region.Contains(0, 0));
}
