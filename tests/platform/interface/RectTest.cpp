#include <gtest/gtest.h>

#include <Rect.h>

namespace {

TEST(RectTest, WidthsAreEdgeDistancesAndIntegerWidthsRoundUp)
{
	BRect rect(10, 20, 19, 24.5f);
	EXPECT_FLOAT_EQ(rect.Width(), 9);
	EXPECT_FLOAT_EQ(rect.Height(), 4.5f);
	EXPECT_EQ(rect.IntegerWidth(), 9);
	EXPECT_EQ(rect.IntegerHeight(), 5);
	EXPECT_EQ(rect.Size(), BSize(9, 4.5f));

	// The default rectangle is invalid, so nothing meets it.
	BRect none;
	EXPECT_FALSE(none.IsValid());
	EXPECT_FALSE(none.Intersects(BRect(-5, -5, 5, 5)));
	EXPECT_FALSE(BRect(-5, -5, 5, 5).Contains(none));

	// A square of n pixels ends at n - 1.
	EXPECT_EQ(BRect(4), BRect(0, 0, 3, 3));
	EXPECT_EQ(BRect(BPoint(2, 3), BSize(4, 5)), BRect(2, 3, 6, 8));
}

TEST(RectTest, OffsetAndInsetMoveTheRightEdges)
{
	BRect rect(1, 2, 5, 8);
	rect.OffsetBy(10, -2);
	EXPECT_EQ(rect, BRect(11, 0, 15, 6));
	rect.OffsetTo(BPoint(0, 0));
	EXPECT_EQ(rect, BRect(0, 0, 4, 6));
	EXPECT_EQ(rect.OffsetToCopy(3, 3), BRect(3, 3, 7, 9));
	EXPECT_EQ(rect, BRect(0, 0, 4, 6)) << "a copy leaves the original alone";

	rect.InsetBy(1, 2);
	EXPECT_EQ(rect, BRect(1, 2, 3, 4));
	rect.InsetBy(-3, -1);
	EXPECT_EQ(rect, BRect(-2, 1, 6, 5));
	// Insetting past the middle leaves an invalid rectangle rather than a flipped one.
	EXPECT_FALSE(BRect(0, 0, 4, 4).InsetByCopy(3, 0).IsValid());
}

TEST(RectTest, IntersectsAndContainsIncludeTheEdges)
{
	BRect a(0, 0, 9, 9);
	EXPECT_TRUE(a.Intersects(BRect(9, 9, 20, 20))) << "sharing the corner pixel";
	EXPECT_FALSE(a.Intersects(BRect(10, 0, 20, 9)));
	EXPECT_FALSE(a.Intersects(BRect(0, -5, 9, -1)));
	EXPECT_TRUE(a.Intersects(BRect(-5, -5, 20, 20)));

	EXPECT_TRUE(a.Contains(BPoint(0, 0)));
	EXPECT_TRUE(a.Contains(BPoint(9, 9)));
	EXPECT_FALSE(a.Contains(BPoint(9.5f, 0)));
	EXPECT_TRUE(a.Contains(a));
	EXPECT_TRUE(a.Contains(BRect(2, 2, 9, 3)));
	EXPECT_FALSE(a.Contains(BRect(2, 2, 10, 3)));
}

TEST(RectTest, IntersectionAndUnion)
{
	BRect a(0, 0, 9, 9);
	BRect b(5, -3, 14, 4);
	EXPECT_EQ(a & b, BRect(5, 0, 9, 4));
	EXPECT_EQ(a | b, BRect(0, -3, 14, 9));
	EXPECT_FALSE((a & BRect(20, 20, 30, 30)).IsValid()) << "disjoint rectangles meet nowhere";

	BPoint p(30, -4);
	p.ConstrainTo(a);
	EXPECT_EQ(p, BPoint(9, 0));
}

} // namespace
