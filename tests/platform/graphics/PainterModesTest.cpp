// What each drawing mode does to a pixel, for pattern fills and for bitmaps.
#include <gtest/gtest.h>

#include <Painter.h>

#include "TestCanvas.h"

using graphics::AlphaFunction;
using graphics::AlphaSource;
using graphics::Color;
using graphics::DrawMode;
using graphics::IntRect;
using graphics::Painter;

namespace {

const Color kBlack(0, 0, 0, 255);
const Color kWhite(255, 255, 255, 255);
const Color kRed(255, 0, 0, 255);
const Color kBlue(0, 0, 255, 255);

// Fills a one-pixel canvas of colour `below` with `high` in the given mode.
Color fill_one(Color below, Color high, DrawMode mode,
               AlphaFunction function = AlphaFunction::Overlay)
{
	TestCanvas canvas(1, 1, below);
	Painter painter(canvas.buffer);
	painter.SetHighColor(high);
	painter.SetDrawingMode(mode);
	painter.SetBlendingMode(AlphaSource::Constant, function);
	painter.FillRect(BRect(0, 0, 0, 0));
	return canvas.At(0, 0);
}

} // namespace

TEST(PainterModes, PatternsTakeHighAndLowColoursAsTheModeSays)
{
	auto fill = [](DrawMode mode) {
		TestCanvas canvas(4, 2, kRed);
		Painter painter(canvas.buffer);
		painter.SetHighColor(kWhite);
		painter.SetLowColor(kBlue);
		painter.SetDrawingMode(mode);
		painter.FillRect(BRect(0, 0, 3, 1), graphics::kMixedColors);
		std::string out;
		for (int32 y = 0; y < 2; y++) {
			for (int32 x = 0; x < 4; x++) {
				Color c = canvas.At(x, y);
				out += c == kWhite ? 'W' : c == kBlue ? 'B' : c == kRed ? 'R' : '?';
			}
		}
		return out;
	};
	EXPECT_EQ(fill(DrawMode::Copy), "WBWBBWBW");
	EXPECT_EQ(fill(DrawMode::Over), "WRWRRWRW");
	EXPECT_EQ(fill(DrawMode::Erase), "BRBRRBRB");
	// Solid low in Over leaves everything alone.
	TestCanvas canvas(2, 2, kRed);
	Painter painter(canvas.buffer);
	painter.SetDrawingMode(DrawMode::Over);
	painter.FillRect(BRect(0, 0, 1, 1), graphics::kSolidLow);
	EXPECT_EQ(canvas.Count(kRed), 4);
}

TEST(PainterModes, ArithmeticModesWorkPerChannelAndSaturate)
{
	const Color below(200, 100, 10, 255), high(100, 50, 20, 255);
	EXPECT_EQ(fill_one(below, high, DrawMode::Add), Color(255, 150, 30, 255));
	EXPECT_EQ(fill_one(below, high, DrawMode::Subtract), Color(100, 50, 0, 255));
	EXPECT_EQ(fill_one(below, high, DrawMode::Blend), Color(150, 75, 15, 255));
	EXPECT_EQ(fill_one(below, high, DrawMode::Min), Color(100, 50, 10, 255));
	EXPECT_EQ(fill_one(below, high, DrawMode::Max), Color(200, 100, 20, 255));
	EXPECT_EQ(fill_one(below, high, DrawMode::Invert), Color(55, 155, 245, 255));
	// Select swaps the high (red) and the low (default white) colours and nothing else.
	EXPECT_EQ(fill_one(Color(1, 2, 3, 255), kRed, DrawMode::Select), Color(1, 2, 3, 255));
	EXPECT_EQ(fill_one(kRed, kRed, DrawMode::Select), kWhite);
	EXPECT_EQ(fill_one(kWhite, kRed, DrawMode::Select), kRed);
}

TEST(PainterModes, AlphaOverlayKeepsTheTargetAlphaAndCompositeCombinesBoth)
{
	EXPECT_EQ(fill_one(kBlack, Color(255, 255, 255, 128), DrawMode::Alpha),
	          Color(128, 128, 128, 255));
	EXPECT_EQ(fill_one(Color(0, 0, 0, 0), Color(255, 0, 0, 128), DrawMode::Alpha),
	          Color(128, 0, 0, 0));
	// Composite onto a transparent target gives the source itself.
	EXPECT_EQ(fill_one(Color(0, 0, 0, 0), Color(255, 0, 0, 128), DrawMode::Alpha,
	                   AlphaFunction::Composite),
	          Color(255, 0, 0, 128));
	// Half over half: alpha 1 - (1 - a)(1 - b), colour weighted by each share.
	EXPECT_EQ(fill_one(Color(0, 0, 255, 128), Color(255, 0, 0, 128), DrawMode::Alpha,
	                   AlphaFunction::Composite),
	          Color(170, 0, 85, 192));
	EXPECT_EQ(fill_one(kBlue, Color(255, 0, 0, 0), DrawMode::Alpha), kBlue);
}

TEST(PainterModes, BitmapsCopyOverOrBlendTheirPixels)
{
	TestCanvas source(3, 1);
	source.buffer.SetColorAt(0, 0, Color(10, 20, 30, 255));
	source.buffer.SetColorAt(1, 0, Color(200, 0, 0, 0)); // transparent
	source.buffer.SetColorAt(2, 0, Color(255, 255, 255, 128));

	auto draw = [&](DrawMode mode, AlphaSource alphaSource) {
		TestCanvas target(3, 1, kBlue);
		Painter painter(target.buffer);
		painter.SetDrawingMode(mode);
		painter.SetHighColor(Color(0, 0, 0, 64));
		painter.SetBlendingMode(alphaSource, AlphaFunction::Overlay);
		painter.DrawBitmap(source.buffer, BPoint(0, 0));
		return std::vector<Color>{target.At(0, 0), target.At(1, 0), target.At(2, 0)};
	};
	std::vector<Color> copied = draw(DrawMode::Copy, AlphaSource::PerPixel);
	EXPECT_EQ(copied[1], Color(200, 0, 0, 0));
	EXPECT_EQ(copied[2], Color(255, 255, 255, 128));
	std::vector<Color> over = draw(DrawMode::Over, AlphaSource::PerPixel);
	EXPECT_EQ(over[0], Color(10, 20, 30, 255));
	EXPECT_EQ(over[1], kBlue);
	std::vector<Color> blended = draw(DrawMode::Alpha, AlphaSource::PerPixel);
	EXPECT_EQ(blended[0], Color(10, 20, 30, 255));
	EXPECT_EQ(blended[1], kBlue);
	EXPECT_EQ(blended[2], Color(128, 128, 255, 255));
	// Constant alpha takes the high colour's alpha for every pixel.
	std::vector<Color> constant = draw(DrawMode::Alpha, AlphaSource::Constant);
	EXPECT_EQ(constant[0], Color(3, 5, 199, 255));
}

TEST(PainterModes, BitmapsScaleByNearestNeighbourAndMayBeDrawnIntoThemselves)
{
	TestCanvas source(2, 2);
	source.buffer.SetColorAt(0, 0, kWhite);
	source.buffer.SetColorAt(1, 1, kWhite);
	TestCanvas target(4, 4);
	Painter painter(target.buffer);
	painter.DrawBitmap(source.buffer, source.buffer.Bounds(), BRect(0, 0, 3, 3));
	EXPECT_EQ(target.Picture(kWhite), "##..\n"
	                                  "##..\n"
	                                  "..##\n"
	                                  "..##\n");

	// Shifting a row one pixel to the right within the same buffer reads the old pixels.
	TestCanvas strip(5, 1);
	strip.buffer.SetColorAt(0, 0, kWhite);
	strip.buffer.SetColorAt(1, 0, kRed);
	strip.buffer.SetColorAt(2, 0, kBlue);
	Painter self(strip.buffer);
	self.DrawBitmap(strip.buffer, IntRect(0, 0, 2, 0), BRect(1, 0, 3, 0));
	EXPECT_EQ(strip.At(1, 0), kWhite);
	EXPECT_EQ(strip.At(2, 0), kRed);
	EXPECT_EQ(strip.At(3, 0), kBlue);

	// A source rectangle beyond the bitmap is cut to it rather than read past its end.
	TestCanvas other(4, 4);
	Painter cut(other.buffer);
	cut.DrawBitmap(source.buffer, IntRect(1, 1, 50, 50), BRect(0, 0, 0, 0));
	EXPECT_EQ(other.At(0, 0), kWhite);
	EXPECT_TRUE(other.PaddingIntact());
}
