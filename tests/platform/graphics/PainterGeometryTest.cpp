// Exact pixel geometry of fills, strokes and lines, with origins and clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <Painter.h>

#include "TestCanvas.h"

using graphics::ClipRegion;
using graphics::Color;
using graphics::IntRect;
using graphics::Painter;

namespace {

const Color kInk(255, 255, 255, 255);

Painter inked(TestCanvas& canvas)
{
	Painter painter(canvas.buffer);
	painter.SetHighColor(kInk);
	return painter;
}

} // namespace

TEST(PainterGeometry, IntegerRectanglesAreInclusive)
{
	TestCanvas canvas(5, 4);
	Painter painter = inked(canvas);
	painter.FillRect(BRect(0, 0, 1, 1));
	painter.FillRect(BRect(3, 2, 3, 2));
	EXPECT_EQ(canvas.Picture(kInk), "##...\n"
	                                "##...\n"
	                                "...#.\n"
	                                ".....\n");
	EXPECT_TRUE(canvas.PaddingIntact());
}

TEST(PainterGeometry, FractionalEdgesRoundToTheNearestPixelCentreHalvesUp)
{
	TestCanvas canvas(6, 3);
	Painter painter = inked(canvas);
	painter.FillRect(BRect(0.5f, 0, 1.5f, 0)); // pixels 1 and 2
	painter.FillRect(BRect(0.4f, 1, 0.6f, 1)); // 0.4 -> 0, 0.6 -> 1
	painter.FillRect(BRect(4.2f, 2, 4.3f, 2)); // a sliver still covers its pixel
	EXPECT_EQ(canvas.Picture(kInk), ".##...\n"
	                                "##....\n"
	                                "....#.\n");
}

TEST(PainterGeometry, FillsAreCutToTheBufferAndBadRectanglesDrawNothing)
{
	TestCanvas canvas(4, 3);
	Painter painter = inked(canvas);
	painter.FillRect(BRect(2, 1, 3, 2));
	painter.FillRect(BRect(3, 0, 1e9f, 0));
	painter.FillRect(BRect(-1e30f, -1e30f, -5, -5));
	painter.FillRect(BRect(2, 0, 1, 0)); // right < left
	float nan = std::numeric_limits<float>::quiet_NaN();
	painter.FillRect(BRect(nan, 0, 2, 2));
	painter.FillRect(BRect(0, 0, std::numeric_limits<float>::infinity(), 0));
	EXPECT_EQ(canvas.Picture(kInk), "...#\n"
	                                "..##\n"
	                                "..##\n");
	EXPECT_TRUE(canvas.PaddingIntact());
}

TEST(PainterGeometry, FillWritesTheColourInBlueGreenRedAlphaOrder)
{
	TestCanvas canvas(1, 1);
	Painter painter(canvas.buffer);
	painter.SetHighColor(Color(10, 20, 30, 40));
	painter.FillRect(BRect(0, 0, 0, 0));
	EXPECT_EQ(canvas.bytes[0], 30);
	EXPECT_EQ(canvas.bytes[1], 20);
	EXPECT_EQ(canvas.bytes[2], 10);
	EXPECT_EQ(canvas.bytes[3], 40);
}

TEST(PainterGeometry, OriginShiftsAndRegionClipsEveryPrimitive)
{
	TestCanvas canvas(6, 5);
	Painter painter = inked(canvas);
	painter.SetOrigin(BPoint(1, 1));
	ClipRegion region(IntRect(0, 0, 2, 4));
	region.Include(IntRect(4, 0, 5, 1));
	painter.SetClipping(region);
	painter.FillRect(BRect(0, 0, 4, 2)); // device (1, 1)-(5, 3)
	EXPECT_EQ(canvas.Picture(kInk), "......\n"
	                                ".##.##\n"
	                                ".##...\n"
	                                ".##...\n"
	                                "......\n");

	TestCanvas lines(6, 5);
	Painter linePainter = inked(lines);
	linePainter.SetClipping(ClipRegion(IntRect(1, 0, 4, 4)));
	linePainter.StrokeLine(BPoint(0, 0), BPoint(5, 0));
	linePainter.StrokeLine(BPoint(0, 4), BPoint(5, 4));
	linePainter.DrawBitmap(canvas.buffer, IntRect(0, 1, 5, 1), BRect(0, 2, 5, 2));
	EXPECT_EQ(lines.Picture(kInk), ".####.\n"
	                               "......\n"
	                               ".##.#.\n"
	                               "......\n"
	                               ".####.\n");
}

TEST(PainterGeometry, StrokeRectDrawsTheBorderPixelsOfTheFilledRectangle)
{
	TestCanvas canvas(6, 5);
	Painter painter = inked(canvas);
	painter.StrokeRect(BRect(0, 0, 4, 3));
	painter.StrokeRect(BRect(5, 4, 5, 4)); // a single pixel
	EXPECT_EQ(canvas.Picture(kInk), "#####.\n"
	                                "#...#.\n"
	                                "#...#.\n"
	                                "#####.\n"
	                                ".....#\n");
}

TEST(PainterGeometry, WidePensCentreTheBandOnTheEdgesAndNeverPaintAPixelTwice)
{
	TestCanvas canvas(9, 8, Color(0, 0, 0, 255));
	Painter painter(canvas.buffer);
	// Add mode shows overdraw: a pixel painted twice would read 2 instead of 1.
	painter.SetDrawingMode(graphics::DrawMode::Add);
	painter.SetHighColor(Color(1, 1, 1, 255));
	painter.SetPenSize(3);
	painter.StrokeRect(BRect(1, 1, 7, 6));
	const Color once(1, 1, 1, 255);
	EXPECT_EQ(canvas.Picture(once), "#########\n"
	                                "#########\n"
	                                "#########\n"
	                                "###...###\n"
	                                "###...###\n"
	                                "#########\n"
	                                "#########\n"
	                                "#########\n");
	EXPECT_EQ(canvas.Count(once) + canvas.Count(Color(0, 0, 0, 255)), 9 * 8);

	TestCanvas lines(8, 8, Color(0, 0, 0, 255));
	Painter linePainter(lines.buffer);
	linePainter.SetDrawingMode(graphics::DrawMode::Add);
	linePainter.SetHighColor(Color(1, 1, 1, 255));
	linePainter.SetPenSize(2);
	linePainter.StrokeLine(BPoint(0, 1), BPoint(7, 6));
	EXPECT_EQ(lines.Count(once) + lines.Count(Color(0, 0, 0, 255)), 64);
	EXPECT_EQ(lines.Count(once), 16); // two pixels across each of eight columns
}

TEST(PainterGeometry, LinesIncludeBothEndPointsInEveryDirection)
{
	TestCanvas canvas(5, 5);
	Painter painter = inked(canvas);
	painter.StrokeLine(BPoint(0, 0), BPoint(4, 4));
	painter.StrokeLine(BPoint(4, 0), BPoint(3, 0));
	painter.StrokeLine(BPoint(0, 4), BPoint(0, 2));
	EXPECT_EQ(canvas.Picture(kInk), "#..##\n"
	                                ".#...\n"
	                                "#.#..\n"
	                                "#..#.\n"
	                                "#...#\n");

	TestCanvas steep(3, 5);
	Painter steepPainter = inked(steep);
	steepPainter.StrokeLine(BPoint(2, 4), BPoint(0, 0));
	EXPECT_EQ(steep.Count(kInk), 5); // one pixel per row of a steep line
	EXPECT_EQ(steep.At(0, 0), kInk);
	EXPECT_EQ(steep.At(2, 4), kInk);
}

TEST(PainterGeometry, ClippingALineKeepsExactlyThePixelsOfTheWholeLine)
{
	// The painter visits only the visible steps of a line; the pixels must be those of the
	// unclipped line, and a line's far ends must cost nothing.
	TestCanvas whole(40, 40), clipped(40, 40);
	Painter a = inked(whole), b = inked(clipped);
	b.SetClipping(ClipRegion(IntRect(10, 10, 29, 29)));
	for (Painter* painter : {&a, &b}) {
		painter->StrokeLine(BPoint(0, 3), BPoint(39, 17));
		painter->StrokeLine(BPoint(38, 0), BPoint(7, 39));
		painter->StrokeLine(BPoint(-1000, -500), BPoint(1000, 500));
	}
	for (int32 y = 0; y < 40; y++) {
		for (int32 x = 0; x < 40; x++) {
			bool inside = x >= 10 && x <= 29 && y >= 10 && y <= 29;
			EXPECT_EQ(clipped.At(x, y), inside ? whole.At(x, y) : Color(0, 0, 0, 255))
			    << x << ", " << y;
		}
	}

	TestCanvas far(20, 20);
	Painter c = inked(far);
	c.StrokeLine(BPoint(-2000000, -1000000), BPoint(2000000, 1000000));
	c.StrokeLine(BPoint(std::nanf(""), 0), BPoint(5, 5)); // ignored
	TestCanvas near(20, 20);
	Painter d = inked(near);
	d.StrokeLine(BPoint(-1000, -500), BPoint(1000, 500));
	EXPECT_EQ(far.Picture(kInk), near.Picture(kInk));
	EXPECT_EQ(far.Count(kInk), 20);
}

TEST(PainterGeometry, ALineDrawsTheSamePixelsInBothDirections)
{
	TestCanvas forward(12, 9), backward(12, 9);
	Painter a = inked(forward), b = inked(backward);
	a.StrokeLine(BPoint(1, 1), BPoint(10, 6));
	b.StrokeLine(BPoint(10, 6), BPoint(1, 1));
	EXPECT_EQ(forward.Picture(kInk), backward.Picture(kInk));
	EXPECT_EQ(forward.Count(kInk), 10);
}
