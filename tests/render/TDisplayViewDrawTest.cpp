// The drawn picture: its size in pixels and the colour of every pixel class (lit and unlit
// lamps, gap rows and columns, margins, the area beyond the picture).
#include "DisplayViewTesting.h"

namespace {

const rgb_color kFG = {250, 10, 20, 255};
const rgb_color kBG = {5, 200, 30, 255};
const rgb_color kGap = {40, 50, 240, 255};

class DrawTest : public DisplayViewTest {
protected:
	void SetUp() override
	{
		DisplayViewTest::SetUp();
		gProperty.mColors[TProperty::kColorFG] = kFG;
		gProperty.mColors[TProperty::kColorBG] = kBG;
		gProperty.mColors[TProperty::kColorGap] = kGap;
	}

	// A matrix of the given size whose lamps are lit in a checkerboard.
	void MakeCheckerboard(TestableDisplayView& view, int32 columns, int32 rows)
	{
		gProperty.mResolutionY = rows;
		ASSERT_EQ(view.CreateOffScreen(columns), B_OK);
		for (int32 x = 0; x < view.MatrixColumns(); x++) {
			for (int32 y = 0; y < view.MatrixRows(); y++)
				view.SetLit(x, y, (x + y) % 2 == 0);
		}
	}

	// The colour a pixel must have for lamp size and gap, or kGap between lamps.
	static rgb_color Expected(const TestableDisplayView& view, int32 px, int32 py)
	{
		const int32 size = gProperty.mLEDSize;
		const int32 pitch = size + gProperty.mLEDGap;
		const int32 x = px / pitch, y = py / pitch;
		if (px % pitch >= size || py % pitch >= size || x >= view.MatrixColumns() ||
		    y >= view.MatrixRows())
			return kGap;
		return view.Lit(x, y) ? kFG : kBG;
	}

	static void ExpectPicture(const TestableDisplayView& view, const Canvas& canvas)
	{
		int32 wrong = 0;
		for (int32 y = 0; y < canvas.Height(); y++) {
			for (int32 x = 0; x < canvas.Width(); x++) {
				const rgb_color want = Expected(view, x, y);
				if (canvas.At(x, y) != want && wrong++ < 5) {
					ADD_FAILURE() << "pixel " << x << "," << y << " is "
					              << color_text(canvas.At(x, y)) << ", not " << color_text(want);
				}
			}
		}
		EXPECT_EQ(wrong, 0);
	}
};

} // namespace

TEST_F(DrawTest, LampSizeTwoGapOneGivesEightByFive)
{
	TestableDisplayView view;
	MakeCheckerboard(view, 3, 2);
	float width, height;
	view.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, 7);
	EXPECT_EQ(height, 4);

	Canvas canvas(8, 5);
	canvas.Draw(view);
	for (int32 y = 0; y < 5; y++) {
		EXPECT_EQ(canvas.At(2, y), kGap);
		EXPECT_EQ(canvas.At(5, y), kGap);
	}
	for (int32 x = 0; x < 8; x++)
		EXPECT_EQ(canvas.At(x, 2), kGap);
	EXPECT_EQ(canvas.At(0, 0), kFG);
	EXPECT_EQ(canvas.At(1, 1), kFG);
	EXPECT_EQ(canvas.At(3, 0), kBG);
	EXPECT_EQ(canvas.At(7, 4), kBG);
	EXPECT_EQ(canvas.At(6, 1), kFG);
	EXPECT_EQ(canvas.At(0, 3), kBG);
	ExpectPicture(view, canvas);
}

TEST_F(DrawTest, LampSizeOneGapZeroIsOnePixelPerLamp)
{
	gProperty.mLEDSize = 1;
	gProperty.mLEDGap = 0;
	TestableDisplayView view;
	MakeCheckerboard(view, 7, 5);
	float width, height;
	view.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, 6);
	EXPECT_EQ(height, 4);
	Canvas canvas(7, 5);
	canvas.Draw(view);
	for (int32 y = 0; y < 5; y++) {
		for (int32 x = 0; x < 7; x++)
			EXPECT_EQ(canvas.At(x, y), (x + y) % 2 == 0 ? kFG : kBG) << x << "," << y;
	}
}

TEST_F(DrawTest, LargeLampsAndGapsHaveExactGeometry)
{
	gProperty.mLEDSize = 5;
	gProperty.mLEDGap = 3;
	TestableDisplayView view;
	MakeCheckerboard(view, 4, 3);
	float width, height;
	view.GetPreferredSize(&width, &height);
	// 4 lamps of 5 and 3 gaps of 3; 3 lamps and 2 gaps.
	EXPECT_EQ(width, 4 * 5 + 3 * 3 - 1);
	EXPECT_EQ(height, 3 * 5 + 2 * 3 - 1);
	Canvas canvas(29, 21);
	canvas.Draw(view);
	ExpectPicture(view, canvas);
}

TEST_F(DrawTest, MarginLampsAreDrawnInTheFillColour)
{
	UseFont("DejaVu Sans", "Book");
	SetMargins(1, 2, 1, 1);
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("\u2588\u2588"), B_OK);
	float width, height;
	view.GetPreferredSize(&width, &height);
	Canvas canvas((int32)width + 1, (int32)height + 1);
	canvas.Draw(view);
	ExpectPicture(view, canvas);
	// The top-left lamp is a margin lamp: fill colour, not gap colour.
	EXPECT_EQ(canvas.At(0, 0), kBG);
	EXPECT_EQ(canvas.At(3, 6), kFG);
}

TEST_F(DrawTest, AreaBeyondThePictureShowsTheGapColour)
{
	TestableDisplayView view;
	MakeCheckerboard(view, 2, 2);
	Canvas canvas(20, 12);
	canvas.Draw(view);
	ExpectPicture(view, canvas);
	EXPECT_EQ(canvas.At(19, 11), kGap);
	EXPECT_EQ(canvas.At(5, 0), kGap);
}

TEST_F(DrawTest, ColoursAndGeometryAreReadAtEachDrawing)
{
	TestableDisplayView view;
	MakeCheckerboard(view, 3, 3);
	Canvas before(8, 8);
	before.Draw(view);
	EXPECT_EQ(before.At(0, 0), kFG);

	const rgb_color newFG = {1, 2, 3, 255};
	gProperty.mColors[TProperty::kColorFG] = newFG;
	gProperty.mLEDSize = 1;
	gProperty.mLEDGap = 2;
	Canvas after(8, 8);
	after.Draw(view);
	EXPECT_EQ(after.At(0, 0), newFG);
	EXPECT_EQ(after.At(1, 0), kGap);
	EXPECT_EQ(after.At(3, 0), kBG);
	EXPECT_EQ(after.At(6, 0), newFG);
	EXPECT_EQ(after.At(7, 7), kGap);
}
