#include <gtest/gtest.h>

#include <Bitmap.h>
#include <View.h>

#include "PixelTestUtils.h"

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kWhite = {255, 255, 255, 255};
const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kNone = {0, 0, 0, 0};

// A bitmap with one view covering it, as the display view's source screen is made.
struct Canvas {
	BBitmap bitmap;
	BView* view;

	Canvas(BRect bounds)
	    : bitmap(bounds, B_RGBA32, true), view(new BView(bounds, "canvas", B_FOLLOW_NONE, 0))
	{
		bitmap.AddChild(view);
	}
};

TEST(ViewDrawingTest, FillRectFillsExactlyItsPixelsInBlueGreenRedAlphaOrder)
{
	Canvas canvas(BRect(0, 0, 9, 9));
	ASSERT_TRUE(canvas.view->LockLooper());
	canvas.view->SetHighColor(make_color(10, 20, 30, 40));
	canvas.view->FillRect(BRect(0, 0, 1, 1));
	canvas.view->Sync();
	canvas.view->UnlockLooper();

	const uint8* bits = (const uint8*)canvas.bitmap.Bits();
	EXPECT_EQ(bits[0], 30) << "blue first";
	EXPECT_EQ(bits[1], 20);
	EXPECT_EQ(bits[2], 10);
	EXPECT_EQ(bits[3], 40);
	EXPECT_EQ(count_pixels(canvas.bitmap, make_color(10, 20, 30, 40)), 4);
	EXPECT_EQ(pixel_at(canvas.bitmap, 1, 1), make_color(10, 20, 30, 40));
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 1), kNone);
	EXPECT_EQ(pixel_at(canvas.bitmap, 1, 2), kNone);
}

TEST(ViewDrawingTest, FillingTheBoundsCoversAFractionalBitmapWhole)
{
	Canvas canvas(BRect(0, 0, 10.3f, 4.7f));
	canvas.view->SetHighColor(kRed);
	canvas.view->FillRect(canvas.view->Bounds());
	EXPECT_EQ(count_pixels(canvas.bitmap, kRed), 11 * 6);
}

TEST(ViewDrawingTest, ChildrenDrawInTheirOwnCoordinatesClippedToEveryAncestor)
{
	Canvas canvas(BRect(0, 0, 19, 19));
	BView* parent = new BView(BRect(5, 5, 14, 14), "parent", B_FOLLOW_NONE, 0);
	BView* child = new BView(BRect(2, 3, 30, 30), "child", B_FOLLOW_NONE, 0);
	parent->AddChild(child);
	canvas.view->AddChild(parent);

	child->SetHighColor(kRed);
	child->FillRect(child->Bounds());
	// The child starts at (7, 8) on the bitmap and is cut at the parent's edge, 14.
	EXPECT_EQ(count_pixels(canvas.bitmap, kRed), 8 * 7);
	EXPECT_EQ(pixel_at(canvas.bitmap, 7, 8), kRed);
	EXPECT_EQ(pixel_at(canvas.bitmap, 14, 14), kRed);
	EXPECT_EQ(pixel_at(canvas.bitmap, 6, 8), kNone);
	EXPECT_EQ(pixel_at(canvas.bitmap, 15, 14), kNone);

	// Moving a view moves what it draws; scrolling moves its coordinate system the other way.
	parent->MoveTo(0, 0);
	child->ScrollTo(BPoint(1, 1));
	child->SetHighColor(kWhite);
	child->FillRect(BRect(1, 1, 1, 1));
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 3), kWhite);

	// A hidden view draws nowhere.
	child->Hide();
	child->SetHighColor(kBlack);
	child->FillRect(child->Bounds());
	EXPECT_EQ(count_pixels(canvas.bitmap, kBlack), 0);
	child->Show();
	child->FillRect(BRect(1, 1, 1, 1));
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 3), kBlack);
}

TEST(ViewDrawingTest, StrokesAndLinesAreOnePixelWideAndMoveThePen)
{
	Canvas canvas(BRect(0, 0, 9, 9));
	BView* view = canvas.view;
	view->SetHighColor(kRed);
	view->StrokeRect(BRect(1, 1, 4, 3));
	EXPECT_EQ(count_pixels(canvas.bitmap, kRed), 10);
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 2), kNone) << "the inside stays";

	view->SetHighColor(kWhite);
	view->MovePenTo(0, 9);
	view->StrokeLine(BPoint(9, 9));
	EXPECT_EQ(view->PenLocation(), BPoint(9, 9));
	EXPECT_EQ(count_pixels(canvas.bitmap, kWhite), 10);
	view->StrokeLine(BPoint(9, 5));
	EXPECT_EQ(count_pixels(canvas.bitmap, kWhite), 14);
}

TEST(ViewDrawingTest, StateStackRestoresColoursAndAddsOrigins)
{
	Canvas canvas(BRect(0, 0, 9, 9));
	BView* view = canvas.view;
	view->SetHighColor(kRed);
	view->SetOrigin(2, 2);
	view->PushState();
	view->SetOrigin(3, 0);
	view->SetHighColor(kWhite);
	view->FillRect(BRect(0, 0, 0, 0));
	EXPECT_EQ(pixel_at(canvas.bitmap, 5, 2), kWhite);
	view->PopState();
	view->FillRect(BRect(0, 0, 0, 0));
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 2), kRed);
	EXPECT_EQ(view->Origin(), BPoint(2, 2));
	view->PopState(); // one pop too many does nothing
	EXPECT_EQ(view->HighColor(), kRed);
}

TEST(ViewDrawingTest, DrawBitmapCopiesScalesAndClips)
{
	BBitmap source(BRect(0, 0, 1, 1), B_RGBA32);
	uint32* pixels = (uint32*)source.Bits();
	pixels[0] = 0xff0000ff; // blue, opaque
	pixels[1] = 0xff00ff00;
	pixels[2] = 0xffff0000;
	pixels[3] = 0xffffffff;

	Canvas canvas(BRect(0, 0, 9, 9));
	canvas.view->DrawBitmap(&source, BPoint(8, 8));
	EXPECT_EQ(pixel_at(canvas.bitmap, 8, 8), make_color(0, 0, 255, 255));
	EXPECT_EQ(pixel_at(canvas.bitmap, 9, 9), kWhite);

	canvas.view->DrawBitmap(&source, BRect(0, 0, 3, 3));
	EXPECT_EQ(pixel_at(canvas.bitmap, 1, 1), make_color(0, 0, 255, 255));
	EXPECT_EQ(pixel_at(canvas.bitmap, 2, 0), make_color(0, 255, 0, 255));
	EXPECT_EQ(pixel_at(canvas.bitmap, 3, 3), kWhite);

	// Only the source rectangle is drawn, and a view outside the bitmap draws nothing.
	canvas.view->DrawBitmap(&source, BRect(1, 1, 1, 1), BRect(5, 0, 5, 0));
	EXPECT_EQ(pixel_at(canvas.bitmap, 5, 0), kWhite);
	canvas.view->DrawBitmap(&source, BRect(100, 100, 101, 101), BRect(6, 0, 6, 0));
	EXPECT_EQ(pixel_at(canvas.bitmap, 6, 0), kNone);
	BBitmap gray(BRect(0, 0, 1, 1), B_GRAY8);
	canvas.view->DrawBitmap(&gray, BPoint(0, 6));
	EXPECT_EQ(pixel_at(canvas.bitmap, 0, 6), kNone);
}

TEST(ViewDrawingTest, AViewWithoutAHostDrawsNothingButKeepsItsState)
{
	BView view(BRect(0, 0, 9, 9), "loose", B_FOLLOW_NONE, 0);
	view.SetHighColor(kRed);
	view.FillRect(view.Bounds());
	view.DrawString("abc", BPoint(0, 5));
	EXPECT_GT(view.PenLocation().x, 0) << "the pen still advances by the text's width";
	view.Sync();
	EXPECT_EQ(view.HighColor(), kRed);
}

TEST(ViewDrawingTest, MonochromeTextHasOnlyTwoPixelValues)
{
	Canvas canvas(BRect(0, 0, 199, 59));
	BView* view = canvas.view;
	BFont font;
	ASSERT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "Book"), B_OK);
	font.SetSize(40);
	font.SetFlags(B_DISABLE_ANTIALIASING);
	view->SetFont(&font, B_FONT_ALL);
	view->SetHighColor(kBlack);
	view->FillRect(view->Bounds());
	view->SetHighColor(kWhite);
	font_height height;
	view->GetFontHeight(&height);
	view->DrawString("Ag各駅", BPoint(0, height.ascent));
	view->Sync();

	std::set<uint32> values = distinct_pixels(canvas.bitmap);
	EXPECT_EQ(values.size(), 2u);
	EXPECT_GT(count_pixels(canvas.bitmap, kWhite), 100);
	EXPECT_NEAR(view->PenLocation().x, view->StringWidth("Ag各駅"), 0.01);

	// The same text antialiased blends its edges.
	font.SetFlags(0);
	view->SetFont(&font, B_FONT_FLAGS);
	view->SetHighColor(kBlack);
	view->FillRect(view->Bounds());
	view->SetHighColor(kWhite);
	view->SetLowColor(kBlack);
	view->DrawString("Ag", BPoint(0, height.ascent));
	EXPECT_GT(distinct_pixels(canvas.bitmap).size(), 2u);
}

} // namespace
