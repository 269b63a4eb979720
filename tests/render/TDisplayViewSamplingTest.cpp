// The sampling rules, checked on source screens drawn by hand: one-pixel lines between the
// sample points of neighbouring lamps, with the row correction on and off.
#include "DisplayViewTesting.h"

#include <functional>

namespace {

const rgb_color kInk = {255, 255, 255, 255};
const rgb_color kNoInk = {0, 0, 0, 255};

class SamplingTest : public DisplayViewTest {
protected:
	void SetUp() override
	{
		DisplayViewTest::SetUp();
		UseFont("DejaVu Sans", "Book");
		fView = std::make_unique<TestableDisplayView>();
		// One undivided source screen, so that lines can be drawn anywhere on it.
		fView->SetStripWidth(1 << 24);
		ASSERT_EQ(fView->SetText("MMMMMMMMMMMM"), B_OK);
		fScale = fView->Scale();
		fColumns = fView->MatrixColumns();
		fRows = fView->MatrixRows();
		ASSERT_GT(fScale, 8.0f);
		ASSERT_GT(fColumns, 20);
	}

	// Sample row or column of lamp i, and the one half a lamp further on.
	int32 At(int32 i) const { return (int32)(i * (double)fScale); }
	int32 Half(int32 i) const { return (int32)(i * (double)fScale + 0.5 * fScale); }

	float Right() const { return fView->SourceScreen()->Bounds().right; }
	float Bottom() const { return fView->SourceScreen()->Bounds().bottom; }

	// Clears the source screen, lets `paint` draw ink on it and samples it again.
	void Resample(const std::function<void(BView*)>& paint)
	{
		BView* screen = fView->SourceScreenView();
		ASSERT_TRUE(screen->LockLooper());
		screen->SetHighColor(kNoInk);
		screen->FillRect(screen->Bounds());
		screen->SetHighColor(kInk);
		paint(screen);
		screen->Sync();
		screen->UnlockLooper();
		fView->CopySourceToOffScreen();
	}

	void HorizontalLine(BView* screen, int32 row) const
	{
		screen->StrokeLine(BPoint(0, row), BPoint(Right(), row));
	}
	void VerticalLine(BView* screen, int32 column) const
	{
		screen->StrokeLine(BPoint(column, 0), BPoint(column, Bottom()));
	}

	// The lit lamps as (x, y) pairs.
	std::vector<std::pair<int32, int32>> LitLamps() const
	{
		std::vector<std::pair<int32, int32>> lit;
		for (int32 x = 0; x < fColumns; x++) {
			for (int32 y = 0; y < fRows; y++) {
				if (fView->Lit(x, y))
					lit.emplace_back(x, y);
			}
		}
		return lit;
	}

	std::unique_ptr<TestableDisplayView> fView;
	float fScale = 0;
	int32 fColumns = 0;
	int32 fRows = 0;
};

} // namespace

TEST_F(SamplingTest, InkAtTheSamplePointLightsTheLampEitherWay)
{
	for (bool correct : {true, false}) {
		gProperty.mCorrectHoarse = correct;
		Resample([&](BView* screen) {
			screen->FillRect(BRect(At(4), At(7), At(4), At(7)));
			screen->FillRect(
			    BRect(At(fColumns - 1), At(fRows - 1), At(fColumns - 1), At(fRows - 1)));
		});
		const std::vector<std::pair<int32, int32>> expected = {{4, 7}, {fColumns - 1, fRows - 1}};
		EXPECT_EQ(LitLamps(), expected) << "correction " << correct;
	}
}

TEST_F(SamplingTest, RowCorrectionShowsALineBetweenTwoSampleRows)
{
	const int32 y = 5;
	ASSERT_NE(Half(y), At(y));
	ASSERT_NE(Half(y), At(y + 1));

	gProperty.mCorrectHoarse = true;
	Resample([&](BView* screen) { HorizontalLine(screen, Half(y)); });
	std::vector<std::pair<int32, int32>> expected;
	for (int32 x = 0; x < fColumns; x++)
		expected.emplace_back(x, y);
	EXPECT_EQ(LitLamps(), expected);

	// Only the row rule depends on the flag.
	gProperty.mCorrectHoarse = false;
	Resample([&](BView* screen) { HorizontalLine(screen, Half(y)); });
	EXPECT_TRUE(LitLamps().empty());
}

TEST_F(SamplingTest, RowCorrectionLightsOnlyTheColumnsTheLineCrosses)
{
	const int32 y = 11;
	Resample(
	    [&](BView* screen) { screen->StrokeLine(BPoint(At(3), Half(y)), BPoint(At(6), Half(y))); });
	const std::vector<std::pair<int32, int32>> expected = {{3, y}, {4, y}, {5, y}, {6, y}};
	EXPECT_EQ(LitLamps(), expected);
}

TEST_F(SamplingTest, RowCorrectionYieldsToInkOnTheNextSampleRow)
{
	// The next row shows the stroke itself, so this row stays dark.
	const int32 y = 8;
	Resample([&](BView* screen) {
		HorizontalLine(screen, Half(y));
		HorizontalLine(screen, At(y + 1));
	});
	for (int32 x = 0; x < fColumns; x++) {
		EXPECT_FALSE(fView->Lit(x, y)) << x;
		EXPECT_TRUE(fView->Lit(x, y + 1)) << x;
	}
}

TEST_F(SamplingTest, RowCorrectionIsNotTriedInTheLastRow)
{
	const int32 last = fRows - 1;
	ASSERT_LE(Half(last), Bottom());
	Resample([&](BView* screen) { HorizontalLine(screen, Half(last)); });
	EXPECT_TRUE(LitLamps().empty());
}

TEST_F(SamplingTest, ColumnCorrectionShowsALineBetweenTwoSampleColumnsEitherWay)
{
	const int32 x = 7;
	ASSERT_NE(Half(x), At(x));
	ASSERT_NE(Half(x), At(x + 1));
	for (bool correct : {true, false}) {
		gProperty.mCorrectHoarse = correct;
		Resample([&](BView* screen) { VerticalLine(screen, Half(x)); });
		std::vector<std::pair<int32, int32>> expected;
		for (int32 y = 0; y < fRows; y++)
			expected.emplace_back(x, y);
		EXPECT_EQ(LitLamps(), expected) << "correction " << correct;
	}
}

TEST_F(SamplingTest, ColumnCorrectionYieldsToInkInTheNextColumn)
{
	const int32 x = 2;
	Resample([&](BView* screen) {
		VerticalLine(screen, Half(x));
		VerticalLine(screen, At(x + 1));
	});
	for (int32 y = 0; y < fRows; y++) {
		EXPECT_FALSE(fView->Lit(x, y)) << y;
		EXPECT_TRUE(fView->Lit(x + 1, y)) << y;
	}
}

TEST_F(SamplingTest, ColumnCorrectionIsNotTriedInTheLastColumn)
{
	Resample([&](BView* screen) { VerticalLine(screen, Half(fColumns - 1)); });
	EXPECT_TRUE(LitLamps().empty());
}

TEST_F(SamplingTest, MarginsStayUnlitUnderFullInk)
{
	SetMargins(2, 1, 3, 2);
	// The margins are read when the matrix is made.
	ASSERT_EQ(fView->SetText("MMMMMMMMMMMM"), B_OK);
	Resample([&](BView* screen) { screen->FillRect(screen->Bounds()); });
	const int32 columns = fView->MatrixColumns();
	const int32 rows = fView->MatrixRows();
	ASSERT_EQ(columns, fColumns + 5);
	ASSERT_EQ(rows, fRows + 3);
	for (int32 x = 0; x < columns; x++) {
		for (int32 y = 0; y < rows; y++) {
			const bool text = x >= 2 && x < columns - 3 && y >= 1 && y < rows - 2;
			EXPECT_EQ(fView->Lit(x, y), text) << x << "," << y;
		}
	}
}
