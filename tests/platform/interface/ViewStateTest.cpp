#include <gtest/gtest.h>

#include <thread>

#include <Bitmap.h>
#include <View.h>

#include "PixelTestUtils.h"

namespace {

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};

BView* attach_view(BBitmap* bitmap)
{
	BView* view = new BView(bitmap->Bounds(), "view", B_FOLLOW_NONE, 0);
	bitmap->AddChild(view);
	return view;
}

TEST(ViewStateTest, PatternsChooseBetweenHighAndLowColour)
{
	BBitmap bitmap(BRect(0, 0, 3, 1), B_RGBA32, true);
	BView* view = attach_view(&bitmap);
	view->SetHighColor(kRed);
	view->SetLowColor(kBlue);
	view->FillRect(bitmap.Bounds(), B_MIXED_COLORS);
	EXPECT_EQ(count_pixels(bitmap, kRed), 4);
	EXPECT_EQ(count_pixels(bitmap, kBlue), 4);
	EXPECT_NE(pixel_at(bitmap, 0, 0), pixel_at(bitmap, 1, 0));
	EXPECT_NE(pixel_at(bitmap, 0, 0), pixel_at(bitmap, 0, 1));
	view->FillRect(bitmap.Bounds(), B_SOLID_LOW);
	EXPECT_EQ(count_pixels(bitmap, kBlue), 8);
}

TEST(ViewStateTest, DrawingModesReachThePainter)
{
	BBitmap bitmap(BRect(0, 0, 1, 0), B_RGBA32, true);
	BView* view = attach_view(&bitmap);
	view->SetHighColor(kBlue);
	view->FillRect(bitmap.Bounds());

	view->SetDrawingMode(B_OP_ALPHA);
	view->SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
	view->SetHighColor(make_color(255, 0, 0, 128));
	view->FillRect(BRect(0, 0, 0, 0));
	rgb_color blended = pixel_at(bitmap, 0, 0);
	EXPECT_NEAR(blended.red, 128, 2);
	EXPECT_NEAR(blended.blue, 127, 2);

	view->SetDrawingMode(B_OP_INVERT);
	view->FillRect(BRect(1, 0, 1, 0));
	EXPECT_EQ(pixel_at(bitmap, 1, 0).blue, 0);
	EXPECT_EQ(pixel_at(bitmap, 1, 0).red, 255);

	view->SetDrawingMode((drawing_mode)99);
	EXPECT_EQ(view->DrawingMode(), B_OP_INVERT) << "unknown modes are ignored";
}

TEST(ViewStateTest, EscapementDeltaSpreadsTheText)
{
	BView view(BRect(0, 0, 99, 99), "view", B_FOLLOW_NONE, 0);
	const char* text = "a b";
	float plain = view.StringWidth(text);
	escapement_delta delta = {2, 5};
	view.MovePenTo(10, 20);
	view.DrawString(text, &delta);
	// Three characters: two take the non-space delta and one the space delta.
	EXPECT_NEAR(view.PenLocation().x, 10 + plain + 2 * 2 + 5, 0.01);
	EXPECT_EQ(view.PenLocation().y, 20);
}

TEST(ViewStateTest, AViewMovedToAnotherBitmapDrawsThere)
{
	BBitmap first(BRect(0, 0, 3, 3), B_RGBA32, true);
	BBitmap second(BRect(0, 0, 7, 7), B_RGBA32, true);
	BView* view = attach_view(&first);
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 0, 0));
	ASSERT_EQ(count_pixels(first, kRed), 1);

	ASSERT_TRUE(first.RemoveChild(view));
	view->FillRect(BRect(1, 1, 1, 1));
	EXPECT_EQ(count_pixels(first, kRed), 1) << "a detached view draws nowhere";
	second.AddChild(view);
	view->ResizeTo(7, 7);
	view->FillRect(BRect(6, 6, 6, 6));
	EXPECT_EQ(count_pixels(first, kRed), 1);
	EXPECT_EQ(pixel_at(second, 6, 6), kRed);
	view->Invalidate(); // nothing to do in a bitmap, and nothing breaks
}

TEST(ViewStateTest, TheBitmapsLockKeepsOtherThreadsOut)
{
	BBitmap bitmap(BRect(0, 0, 1, 1), B_RGBA32, true);
	BView* view = attach_view(&bitmap);
	ASSERT_TRUE(bitmap.Lock());
	status_t other = B_OK;
	std::thread thread([&] { other = view->LockLooperWithTimeout(1000); });
	thread.join();
	EXPECT_EQ(other, B_TIMED_OUT);
	bitmap.Unlock();

	std::thread again([&] {
		other = view->LockLooperWithTimeout(1000000);
		if (other == B_OK)
			view->UnlockLooper();
	});
	again.join();
	EXPECT_EQ(other, B_OK);
}

TEST(ViewStateTest, ForceFontAliasingAndFontHeight)
{
	BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
	view.ForceFontAliasing(true);
	BFont font;
	view.GetFont(&font);
	EXPECT_TRUE(font.Flags() & B_DISABLE_ANTIALIASING);
	view.ForceFontAliasing(false);
	view.GetFont(&font);
	EXPECT_FALSE(font.Flags() & B_DISABLE_ANTIALIASING);

	view.SetFontSize(24);
	font_height height;
	view.GetFontHeight(&height);
	EXPECT_GT(height.ascent + height.descent, 20);
}

} // namespace
