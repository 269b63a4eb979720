// Text runs as the painter draws them: monochrome and antialiased ink, placement against the
// metrics and widths, fallback faces, drawing modes and clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <FontEngine.h>
#include <FontFace.h>
#include <Painter.h>

#include "TestCanvas.h"

using graphics::Color;
using graphics::FontEngine;
using graphics::FontSpec;
using graphics::IntRect;
using graphics::Painter;

namespace {

const Color kBlack(0, 0, 0, 255);
const Color kWhite(255, 255, 255, 255);

FontSpec font(const char* family, float size, bool antialias)
{
	FontSpec request;
	request.face = FontEngine::Default().FindFace(family, "");
	EXPECT_NE(request.face, nullptr) << "the pinned font " << family << " is not installed";
	request.size = size;
	request.antialias = antialias;
	return request;
}

float draw(TestCanvas& canvas, const std::string& text, BPoint where, const FontSpec& request,
           Color high = kWhite)
{
	Painter painter(canvas.buffer);
	painter.SetHighColor(high);
	painter.SetLowColor(kBlack);
	return painter.DrawString(text.data(), text.size(), where, request);
}

} // namespace

TEST(TextDrawing, MonochromeTextHasOnlyInkAndBackground)
{
	TestCanvas canvas(420, 70);
	draw(canvas, "Glowplate 各駅停車 Ag", BPoint(2, 50), font("DejaVu Sans", 40, false));
	EXPECT_EQ(canvas.Count(kWhite) + canvas.Count(kBlack), 420 * 70);
	EXPECT_GT(canvas.Count(kWhite), 500);
}

TEST(TextDrawing, AntialiasedTextHasIntermediateCoverage)
{
	TestCanvas canvas(300, 70);
	draw(canvas, "Glowplate", BPoint(2, 50), font("DejaVu Sans", 40, true));
	EXPECT_GT(canvas.RedValues().size(), 20u);
	EXPECT_GT(canvas.Count(kWhite), 100);
}

TEST(TextDrawing, InkStaysWithinTheAdvanceAndTheAscentAndDescent)
{
	// The LED renderer sizes its raster to the width and to ascent plus descent and draws
	// with the pen at (0, ascent): the ink of ordinary glyphs must land inside it. (Some
	// glyphs reach beyond a face's ascent and descent, VL Gothic's '|' for one; they are
	// cut there, as the metrics are the face's own.)
	for (const char* family : {"DejaVu Sans", "VL Gothic"}) {
		FontSpec request = font(family, 200, false);
		const std::string text = "各駅停車 Hx";
		float width = FontEngine::Default().StringWidth(request, text.data(), text.size());
		graphics::FontHeight height = FontEngine::Default().GetHeight(request);
		int32 w = (int32)std::ceil(width), h = (int32)std::ceil(height.ascent + height.descent);
		TestCanvas canvas(w + 20, h + 20);
		float advance = draw(canvas, text, BPoint(0, height.ascent), request);
		EXPECT_FLOAT_EQ(advance, width);
		IntRect ink = canvas.InkBounds(kBlack);
		ASSERT_TRUE(ink.IsValid()) << family;
		EXPECT_GE(ink.left, 0) << family;
		EXPECT_GE(ink.top, 0) << family;
		EXPECT_LE(ink.right, w) << family;
		EXPECT_LE(ink.bottom, h) << family;
		// and it really spans the run, not just its first glyph
		EXPECT_GT(ink.right, width * 0.9f) << family;
	}
}

TEST(TextDrawing, JapaneseInALatinFontDrawsExactlyAsTheFallbackFaceDoes)
{
	TestCanvas latin(120, 50), japanese(120, 50);
	draw(latin, "各駅", BPoint(4, 36), font("DejaVu Sans", 40, false));
	draw(japanese, "各駅", BPoint(4, 36), font("VL Gothic", 40, false));
	EXPECT_GT(latin.Count(kWhite), 100);
	EXPECT_EQ(latin.Picture(kWhite), japanese.Picture(kWhite));
}

TEST(TextDrawing, CopyMixesEdgesFromTheLowColourAndOverFromTheBackground)
{
	const Color red(255, 0, 0, 255), blue(0, 0, 255, 255);
	FontSpec request = font("DejaVu Sans", 30, true);
	const std::string text = "Sign";

	TestCanvas copied(100, 40, red);
	Painter copy(copied.buffer);
	copy.SetHighColor(kWhite);
	copy.SetLowColor(blue);
	copy.DrawString(text.data(), text.size(), BPoint(2, 30), request);

	TestCanvas over(100, 40, red);
	Painter overPainter(over.buffer);
	overPainter.SetHighColor(kWhite);
	overPainter.SetLowColor(blue);
	overPainter.SetDrawingMode(graphics::DrawMode::Over);
	overPainter.DrawString(text.data(), text.size(), BPoint(2, 30), request);

	int32 copyEdges = 0, overEdges = 0;
	for (int32 y = 0; y < 40; y++) {
		for (int32 x = 0; x < 100; x++) {
			Color c = copied.At(x, y);
			if (c != red && c != kWhite) {
				copyEdges++;
				// on the line from blue to white
				EXPECT_EQ(c.red, c.green);
				EXPECT_EQ(c.blue, 255);
			}
			Color o = over.At(x, y);
			if (o != red && o != kWhite) {
				overEdges++;
				// on the line from red to white
				EXPECT_EQ(o.red, 255);
				EXPECT_EQ(o.green, o.blue);
			}
		}
	}
	EXPECT_GT(copyEdges, 20);
	EXPECT_GT(overEdges, 20);
}

TEST(TextDrawing, TextIsClippedAndOddInputDrawsWithoutHarm)
{
	TestCanvas canvas(200, 50);
	Painter painter(canvas.buffer);
	painter.SetHighColor(kWhite);
	painter.SetClipping(graphics::ClipRegion(IntRect(0, 0, 39, 49)));
	const std::string text = "MMMMMMMM";
	FontSpec request = font("DejaVu Sans", 40, false);
	painter.DrawString(text.data(), text.size(), BPoint(0, 40), request);
	IntRect ink = canvas.InkBounds(kBlack);
	ASSERT_TRUE(ink.IsValid());
	EXPECT_LE(ink.right, 39);

	// Text far outside, malformed bytes, a nul inside the run and absurd sizes.
	const std::string odd("\xff\xfe A\0B \xe9\xa7", 10);
	painter.DrawString(odd.data(), odd.size(), BPoint(-1e9f, 1e9f), request);
	painter.DrawString(odd.data(), odd.size(), BPoint(0, 40), request);
	FontSpec huge = request;
	huge.size = 1e9f;
	painter.DrawString("A", 1, BPoint(0, 40), huge);
	FontSpec empty = request;
	empty.size = 0;
	EXPECT_EQ(painter.DrawString("A", 1, BPoint(0, 40), empty), 0);
	EXPECT_TRUE(canvas.PaddingIntact());
}
