// Shared pieces of the display view's tests: a fixture that gives every test the record's
// defaults and puts them back afterwards, a view that opens up the source screen and the lamp
// matrix, and readers for the lamp matrix and for drawn pixels.
#ifndef DISPLAY_VIEW_TESTING_H
#define DISPLAY_VIEW_TESTING_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Bitmap.h>
#include <View.h>

#include <TDisplayView.h>
#include <TProperty.h>

class TestableDisplayView : public TDisplayView {
public:
	TestableDisplayView() : TDisplayView(BRect(0, 0, 1, 1), nullptr) {}

	using TDisplayView::OffScreen;
	using TDisplayView::Scale;
	using TDisplayView::SetStripWidth;
	using TDisplayView::SourceScreen;
	using TDisplayView::SourceScreenView;
	using TDisplayView::StripCount;

	int32 MatrixColumns() const { return (int32)OffScreen()->Bounds().right + 1; }
	int32 MatrixRows() const { return (int32)OffScreen()->Bounds().bottom + 1; }

	// The state of matrix cell (x, y), margins included.
	bool Lit(int32 x, int32 y) const
	{
		const BBitmap* matrix = OffScreen();
		const uint8* bits = (const uint8*)matrix->Bits();
		return bits[(size_t)y * matrix->BytesPerRow() + (size_t)x * 4] != 0;
	}
	void SetLit(int32 x, int32 y, bool lit)
	{
		BBitmap* matrix = OffScreen();
		uint8* bits = (uint8*)matrix->Bits();
		bits[(size_t)y * matrix->BytesPerRow() + (size_t)x * 4] = lit ? 255 : 0;
	}

	// One byte per cell, column-major, for comparing whole matrices.
	std::vector<uint8> Cells() const
	{
		std::vector<uint8> cells;
		for (int32 x = 0; x < MatrixColumns(); x++) {
			for (int32 y = 0; y < MatrixRows(); y++)
				cells.push_back(Lit(x, y) ? 1 : 0);
		}
		return cells;
	}
	int32 CountLit() const
	{
		int32 count = 0;
		for (uint8 cell : Cells())
			count += cell;
		return count;
	}
};

// Every test starts from the record's defaults with a given font, and leaves the defaults.
class DisplayViewTest : public ::testing::Test {
protected:
	void SetUp() override { ResetProperty(); }
	void TearDown() override { ResetProperty(); }

	static void ResetProperty()
	{
		TProperty defaults;
		gProperty.mFontFamily = defaults.mFontFamily;
		gProperty.mFontStyle = defaults.mFontStyle;
		for (int32 i = 0; i < TProperty::kColorCount; i++)
			gProperty.mColors[i] = defaults.mColors[i];
		gProperty.mLEDSize = defaults.mLEDSize;
		gProperty.mLEDGap = defaults.mLEDGap;
		gProperty.mResolutionY = defaults.mResolutionY;
		for (int32 i = 0; i < 4; i++)
			gProperty.mMargin[i] = defaults.mMargin[i];
		gProperty.mSrcScreenFontSize = defaults.mSrcScreenFontSize;
		gProperty.mCorrectHoarse = defaults.mCorrectHoarse;
	}

	static void UseFont(const char* family, const char* style)
	{
		gProperty.mFontFamily = family;
		gProperty.mFontStyle = style;
	}

	static void SetMargins(int32 left, int32 top, int32 right, int32 bottom)
	{
		gProperty.mMargin[TProperty::kMarginLeft] = left;
		gProperty.mMargin[TProperty::kMarginTop] = top;
		gProperty.mMargin[TProperty::kMarginRight] = right;
		gProperty.mMargin[TProperty::kMarginBottom] = bottom;
	}
};

// A bitmap with a view of the given size, for drawing pictures into.
struct Canvas {
	BBitmap bitmap;
	BView* view;

	Canvas(int32 width, int32 height)
	    : bitmap(BRect(0, 0, width - 1, height - 1), B_BITMAP_ACCEPTS_VIEWS, B_RGBA32),
	      view(new BView(bitmap.Bounds(), "Canvas", B_FOLLOW_NONE, 0))
	{
		bitmap.AddChild(view);
	}

	void Draw(const TDisplayView& display)
	{
		ASSERT_TRUE(view->LockLooper());
		display.DrawToView(view);
		view->Sync();
		view->UnlockLooper();
	}

	int32 Width() const { return bitmap.BytesPerRow() / 4; }
	int32 Height() const { return bitmap.BitsLength() / bitmap.BytesPerRow(); }

	// The pixel as a colour; the bitmap keeps blue, green, red, alpha.
	rgb_color At(int32 x, int32 y) const
	{
		const uint8* p = (const uint8*)bitmap.Bits() + (size_t)y * bitmap.BytesPerRow() + x * 4;
		return make_color(p[2], p[1], p[0], p[3]);
	}
};

inline std::string color_text(rgb_color c)
{
	return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) +
	       "," + std::to_string(c.alpha);
}

#endif
