// The lamp matrix made from a text: its size, its margins, what regeneration keeps and what it
// replaces, and the strip-wise rasterising of long texts.
#include "DisplayViewTesting.h"

#include <Font.h>

namespace {

// U+2588 FULL BLOCK inks its whole advance from the ascent to the descent in DejaVu Sans.
const char kBlocks[] = "\u2588\u2588\u2588\u2588\u2588";

} // namespace

TEST_F(DisplayViewTest, FreshViewHoldsOneDarkSpace)
{
	TestableDisplayView view;
	ASSERT_NE(view.OffScreen(), nullptr);
	ASSERT_NE(view.SourceScreen(), nullptr);
	EXPECT_EQ(view.MatrixRows(), 24);
	EXPECT_GE(view.MatrixColumns(), 1);
	EXPECT_EQ(view.CountLit(), 0);
	EXPECT_STREQ(view.Name(), "DisplayView");
	EXPECT_STREQ(view.SourceScreenView()->Name(), "SrcScreenView");
}

TEST_F(DisplayViewTest, ColumnsFollowTextWidthOverScale)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Glowplate"), B_OK);

	BFont font;
	TDisplayView::ApplySourceFont(&font);
	font_height height;
	font.GetHeight(&height);
	const float scale = (height.ascent + height.descent) / 24.0f;
	EXPECT_FLOAT_EQ(view.Scale(), scale);
	EXPECT_EQ(view.MatrixColumns(), (int32)(font.StringWidth("Glowplate") / scale));
	EXPECT_EQ(view.MatrixRows(), 24);
	EXPECT_GT(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, MoreRowsGiveProportionallyMoreColumns)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Destination"), B_OK);
	const int32 columns24 = view.MatrixColumns();
	gProperty.mResolutionY = 48;
	ASSERT_EQ(view.SetText("Destination"), B_OK);
	EXPECT_EQ(view.MatrixRows(), 48);
	EXPECT_NEAR(view.MatrixColumns(), 2 * columns24, 2);
}

TEST_F(DisplayViewTest, MarginsSurroundTheTextWithUnlitLamps)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView plain;
	ASSERT_EQ(plain.SetText(kBlocks), B_OK);
	const int32 columns = plain.MatrixColumns();
	ASSERT_GT(columns, 5);
	// Every text lamp of a row of full blocks is lit.
	EXPECT_EQ(plain.CountLit(), columns * 24);

	SetMargins(2, 1, 3, 0);
	TestableDisplayView framed;
	ASSERT_EQ(framed.SetText(kBlocks), B_OK);
	ASSERT_EQ(framed.MatrixColumns(), columns + 5);
	ASSERT_EQ(framed.MatrixRows(), 25);
	for (int32 x = 0; x < framed.MatrixColumns(); x++) {
		for (int32 y = 0; y < framed.MatrixRows(); y++) {
			const bool margin = x < 2 || x >= columns + 2 || y < 1;
			EXPECT_EQ(framed.Lit(x, y), margin ? false : plain.Lit(x - 2, y - 1))
			    << "cell " << x << "," << y;
		}
	}
}

TEST_F(DisplayViewTest, BottomMarginAddsRowsBelowTheText)
{
	UseFont("DejaVu Sans", "Book");
	SetMargins(0, 0, 0, 4);
	TestableDisplayView view;
	ASSERT_EQ(view.SetText(kBlocks), B_OK);
	ASSERT_EQ(view.MatrixRows(), 28);
	for (int32 x = 0; x < view.MatrixColumns(); x++) {
		EXPECT_TRUE(view.Lit(x, 23));
		for (int32 y = 24; y < 28; y++)
			EXPECT_FALSE(view.Lit(x, y));
	}
}

TEST_F(DisplayViewTest, TextNarrowerThanOneLampGetsOneColumn)
{
	// At two rows a lamp is half the line high, far wider than an "i": W is 0, and without
	// side margins the matrix would have no columns at all.
	UseFont("DejaVu Sans", "Book");
	gProperty.mResolutionY = 2;
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("i"), B_OK);
	EXPECT_EQ(view.MatrixColumns(), 1);
	EXPECT_EQ(view.MatrixRows(), 2);
	float width = -5, height = -5;
	view.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, 1);
	EXPECT_EQ(height, 4);

	// With margins the narrow text keeps no text column, as the margins already give the
	// matrix a width.
	SetMargins(1, 0, 2, 0);
	ASSERT_EQ(view.SetText("i"), B_OK);
	EXPECT_EQ(view.MatrixColumns(), 3);
	EXPECT_EQ(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, SpacesLightNothing)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("          "), B_OK);
	EXPECT_GT(view.MatrixColumns(), 10);
	EXPECT_EQ(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, SameTextTwiceGivesTheSamePicture)
{
	UseFont("VL Gothic", "regular");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("各駅停車 Local"), B_OK);
	const std::vector<uint8> first = view.Cells();
	ASSERT_EQ(view.SetText("各駅停車 Local"), B_OK);
	EXPECT_EQ(view.Cells(), first);
	EXPECT_GT(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, EmptyTextKeepsThePicture)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Express"), B_OK);
	const std::vector<uint8> before = view.Cells();
	const BRect frame = view.Frame();
	EXPECT_EQ(view.SetText(""), B_OK);
	EXPECT_EQ(view.SetText(nullptr), B_OK);
	EXPECT_EQ(view.Cells(), before);
	EXPECT_EQ(view.Frame(), frame);
}

TEST_F(DisplayViewTest, SetTextResizesTheViewToThePicture)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Rapid"), B_OK);
	const int32 columns = view.MatrixColumns();
	EXPECT_EQ(view.Frame().Width(), 3 * (columns - 1) + 1);
	EXPECT_EQ(view.Frame().Height(), 3 * 23 + 1);

	gProperty.mLEDSize = 4;
	gProperty.mLEDGap = 0;
	view.Update();
	EXPECT_EQ(view.Frame().Width(), 4 * columns - 1);
	EXPECT_EQ(view.Frame().Height(), 4 * 24 - 1);
}

TEST_F(DisplayViewTest, PictureThatCannotBeBuiltLeavesThePreviousOne)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Terminal"), B_OK);
	const std::vector<uint8> before = view.Cells();
	const BRect frame = view.Frame();

	// Ten million rows pass the lamp limit whatever the text.
	gProperty.mResolutionY = 10000000;
	EXPECT_EQ(view.SetText("Terminal"), B_NO_MEMORY);
	gProperty.mResolutionY = 24;
	// A margin this wide does too.
	SetMargins(0, 0, 2000000000, 0);
	EXPECT_EQ(view.SetText("Terminal"), B_NO_MEMORY);
	SetMargins(-1, 0, 0, 0);
	EXPECT_EQ(view.SetText("Terminal"), B_BAD_VALUE);
	SetMargins(0, 0, 0, 0);
	gProperty.mResolutionY = 0;
	EXPECT_EQ(view.SetText("Terminal"), B_BAD_VALUE);
	gProperty.mResolutionY = 24;

	EXPECT_EQ(view.Cells(), before);
	EXPECT_EQ(view.Frame(), frame);
	EXPECT_EQ(view.MatrixRows(), 24);
}

TEST_F(DisplayViewTest, UnknownFontFallsBackToThePlainFont)
{
	// The record's default family is not installed here.
	BFont font;
	EXPECT_EQ(TDisplayView::ApplySourceFont(&font), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.FamilyAndStyle(), be_plain_font->FamilyAndStyle());
	EXPECT_EQ(font.Size(), 200.0f);
	EXPECT_TRUE(font.Flags() & B_DISABLE_ANTIALIASING);

	// Japanese still shows: the plain font covers it.
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("各駅停車"), B_OK);
	EXPECT_EQ(view.MatrixRows(), 24);
	EXPECT_GT(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, FreehandProtectionIsClearedAndReported)
{
	TestableDisplayView view;
	// Without a target there is nobody to tell.
	EXPECT_EQ(view.SendFreehandProtectChanged(), B_BAD_HANDLER);
	UseFont("DejaVu Sans", "Book");
	EXPECT_EQ(view.SetText("Shuttle"), B_OK);
	EXPECT_GT(view.CountLit(), 0);
}

// Strips overlap by a lamp so that every lamp reads the same pixels as in one undivided
// source screen: the matrix must not depend on the strip width at all.
class StripTest : public DisplayViewTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(StripTest, StripWidthDoesNotChangeTheMatrix)
{
	UseFont("DejaVu Sans", "Book");
	const char* text = GetParam();
	TestableDisplayView whole;
	whole.SetStripWidth(1 << 24);
	ASSERT_EQ(whole.SetText(text), B_OK);
	EXPECT_EQ(whole.StripCount(), 1);

	for (int32 width : {3, 17, 100, 1024}) {
		TestableDisplayView strips;
		strips.SetStripWidth(width);
		ASSERT_EQ(strips.SetText(text), B_OK);
		EXPECT_GT(strips.StripCount(), 1) << "strip width " << width;
		EXPECT_EQ(strips.Cells(), whole.Cells()) << "strip width " << width;
	}
}

TEST_P(StripTest, SamplingAgainKeepsEveryStripsLamps)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView strips;
	strips.SetStripWidth(100);
	ASSERT_EQ(strips.SetText(GetParam()), B_OK);
	ASSERT_GT(strips.StripCount(), 1);
	const std::vector<uint8> before = strips.Cells();
	strips.CopySourceToOffScreen();
	EXPECT_EQ(strips.Cells(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StripTest,
    ::testing::Values("The quick brown fox jumps over the lazy dog; fjord ||| /// WWW",
                      "各駅停車 快速 Rapid 新宿方面 ffi",
                      "ﬁ ǅ é ñ \u0301\u0301 x\u0308 ||||||||||||"));

TEST_F(DisplayViewTest, CorrectionsAreIdenticalAcrossStrips)
{
	UseFont("DejaVu Sans", "Book");
	const char text[] = "rrrr ---- ==== |||| iiii llll ____";
	for (bool correct : {true, false}) {
		gProperty.mCorrectHoarse = correct;
		gProperty.mResolutionY = 9;
		TestableDisplayView whole;
		whole.SetStripWidth(1 << 24);
		ASSERT_EQ(whole.SetText(text), B_OK);
		TestableDisplayView strips;
		strips.SetStripWidth(40);
		ASSERT_EQ(strips.SetText(text), B_OK);
		EXPECT_EQ(strips.Cells(), whole.Cells()) << "correction " << correct;
	}
}
