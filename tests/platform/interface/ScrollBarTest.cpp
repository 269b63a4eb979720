// Scroll bars: the value model with bad input, the link to the target view both ways, and the
// user's arrows, paging, thumb and wheel through the backend's input path.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include <Autolock.h>
#include <ScrollBar.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "FrameSnapshot.h"
#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowTestSupport.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

} // namespace

TEST(ScrollBarModelTest, ValuesStayInTheRangeWhateverComesIn)
{
	BScrollBar bar(BRect(0, 0, 99, 14), "bar", nullptr, 0, 100, B_HORIZONTAL);
	bar.SetValue(250);
	EXPECT_EQ(bar.Value(), 100);
	bar.SetValue(-5);
	EXPECT_EQ(bar.Value(), 0);
	bar.SetValue(kInfinity);
	EXPECT_EQ(bar.Value(), 100);
	bar.SetValue(kNaN);
	EXPECT_EQ(bar.Value(), 100);
	bar.SetValue(41.6f);
	EXPECT_EQ(bar.Value(), 42);

	// A shrinking range takes the value with it; a reversed one is empty at its minimum.
	bar.SetRange(0, 30);
	EXPECT_EQ(bar.Value(), 30);
	bar.SetRange(50, 10);
	float min, max;
	bar.GetRange(&min, &max);
	EXPECT_EQ(min, 50);
	EXPECT_EQ(max, 50);
	EXPECT_EQ(bar.Value(), 50);
	bar.SetRange(kNaN, 10);
	bar.SetRange(0, kInfinity);
	bar.GetRange(&min, &max);
	EXPECT_EQ(min, 50);
	EXPECT_EQ(max, 50);

	// The editor divides by the picture's width, which may be 0.
	bar.SetProportion(1.7f);
	EXPECT_EQ(bar.Proportion(), 1);
	bar.SetProportion(0.5f);
	bar.SetProportion(kInfinity);
	EXPECT_EQ(bar.Proportion(), 1);
	bar.SetProportion(-1);
	EXPECT_EQ(bar.Proportion(), 0);
	bar.SetProportion(kNaN);
	EXPECT_EQ(bar.Proportion(), 0);

	bar.SetSteps(-1, kNaN);
	float small, large;
	bar.GetSteps(&small, &large);
	EXPECT_EQ(small, 1);
	EXPECT_EQ(large, 10);
	bar.SetSteps(5, 50);
	bar.GetSteps(&small, &large);
	EXPECT_EQ(small, 5);
	EXPECT_EQ(large, 50);
}

TEST(ScrollBarModelTest, TheBarAndItsTargetMoveTogetherAndForgetEachOther)
{
	BView* target = new BView(BRect(0, 0, 599, 99), "target", B_FOLLOW_NONE, 0);
	BScrollBar* horizontal =
	    new BScrollBar(BRect(0, 0, 199, 14), "h", target, 0, 400, B_HORIZONTAL);
	BScrollBar* vertical = new BScrollBar(BRect(0, 0, 14, 99), "v", target, 0, 50, B_VERTICAL);
	EXPECT_EQ(target->ScrollBar(B_HORIZONTAL), horizontal);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), vertical);

	horizontal->SetValue(120);
	vertical->SetValue(30);
	EXPECT_EQ(target->Bounds().LeftTop(), BPoint(120, 30));
	// The target's own scrolling moves the bars, within their ranges.
	target->ScrollTo(BPoint(77, 12));
	EXPECT_EQ(horizontal->Value(), 77);
	EXPECT_EQ(vertical->Value(), 12);
	target->ScrollTo(BPoint(1000, -8));
	EXPECT_EQ(target->Bounds().LeftTop(), BPoint(400, 0));
	EXPECT_EQ(horizontal->Value(), 400);
	target->ScrollBy(-50, 0);
	EXPECT_EQ(horizontal->Value(), 350);
	target->ScrollTo(BPoint(kNaN, 0));
	EXPECT_EQ(target->Bounds().left, 350);

	// A second bar of the same orientation takes the view from the first.
	BScrollBar* other = new BScrollBar(BRect(0, 0, 199, 14), "h2", target, 0, 10, B_HORIZONTAL);
	EXPECT_EQ(target->ScrollBar(B_HORIZONTAL), other);
	EXPECT_EQ(horizontal->Target(), nullptr);

	// Deleting either side leaves the other without a dangling pointer.
	delete other;
	EXPECT_EQ(target->ScrollBar(B_HORIZONTAL), nullptr);
	delete target;
	EXPECT_EQ(vertical->Target(), nullptr);
	vertical->SetValue(10);
	delete vertical;
	delete horizontal;
}

namespace {

// A window at (100, 100): a 200 x 100 clip "Clip" at (10, 10) showing part of a 600 pixel
// wide "Picture", and under it a horizontal bar "Bar" (200 x 15) that scrolls the picture:
// range 0 to 400, proportion 1/3, so its 170 pixel track holds a thumb of 57 pixels.
class ScrollBarWindowTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 399), "Scroll", B_TITLED_WINDOW, 0);
		clip = new RecordingView(BRect(10, 10, 209, 109), "Clip");
		picture = new RecordingView(BRect(0, 0, 599, 99), "Picture");
		clip->AddChild(picture);
		bar = new BScrollBar(BRect(10, 110, 209, 124), "Bar", picture, 0, 400, B_HORIZONTAL);
		bar->SetProportion(200.0f / 600.0f);
		window->AddChild(clip);
		window->AddChild(bar);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override { app.Quit(); }

	BPoint OnBar(float x) { return BPoint(100 + 10 + x, 100 + 110 + 7); }
	float Value()
	{
		BAutolock lock(window);
		return bar->Value();
	}
	float PictureLeft()
	{
		BAutolock lock(window);
		return picture->Bounds().left;
	}
	// The colours along the middle row of the track, inside its outline.
	std::set<uint32> TrackColours()
	{
		std::set<uint32> colours;
		FrameSnapshot frame(window);
		for (int32 x = 10 + 16; x <= 10 + 183; x++) {
			rgb_color c = frame.At(x, 117);
			colours.insert((uint32)c.red << 16 | (uint32)c.green << 8 | c.blue);
		}
		return colours;
	}

	TestApplication app;
	BWindow* window = nullptr;
	RecordingView* clip = nullptr;
	RecordingView* picture = nullptr;
	BScrollBar* bar = nullptr;
};

} // namespace

TEST_F(ScrollBarWindowTest, DraggingTheThumbScrollsTheTarget)
{
	// The thumb starts at the track's start (x 15 to 71 of the bar).
	driver::Press(OnBar(43));
	driver::MoveTo(OnBar(43 + 1000));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 400);
	EXPECT_EQ(PictureLeft(), 400);

	// Back to the middle of the track, and past its start.
	driver::MoveTo(OnBar(100));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_NEAR(Value(), 200, 4);
	EXPECT_EQ(PictureLeft(), Value());
	driver::MoveTo(OnBar(-300));
	driver::Release(OnBar(-300));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 0);
	EXPECT_EQ(PictureLeft(), 0);

	// Released, the pointer no longer moves the thumb.
	driver::MoveTo(OnBar(150));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 0);
}

TEST_F(ScrollBarWindowTest, ArrowsStepAndTheTrackPages)
{
	{
		BAutolock lock(window);
		bar->SetSteps(4, 60);
	}
	driver::ClickAt(OnBar(192)); // the right arrow
	driver::ClickAt(OnBar(192));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 8);
	driver::ClickAt(OnBar(7)); // the left arrow
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 4);
	EXPECT_EQ(PictureLeft(), 4);

	driver::ClickAt(OnBar(170)); // the track after the thumb
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 64);
	// The thumb now starts at 15 + round(113 * 64 / 400) = 33: the track before it pages back.
	driver::ClickAt(OnBar(20));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 4);
	driver::ClickAt(OnBar(7));
	driver::ClickAt(OnBar(7));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 0);
}

TEST_F(ScrollBarWindowTest, TheWheelMovesTheBarOverTheTargetAndOverTheBar)
{
	// The picture scrolls only sideways, so it takes the ordinary wheel sideways.
	driver::MoveTo(driver::ScreenCentre(clip));
	driver::Backend()->InjectWheel(0, 2);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 6);
	EXPECT_EQ(PictureLeft(), 6);

	driver::MoveTo(OnBar(100));
	driver::Backend()->InjectWheel(0, -1);
	driver::Backend()->InjectWheel(5, 0);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 18);
	EXPECT_EQ(PictureLeft(), 18);
	// The wheel the picture took did not go on to its parent.
	for (const InputRecord& record : clip->Records("message"))
		EXPECT_NE(record.message.what, (uint32)B_MOUSE_WHEEL_CHANGED);
}

TEST_F(ScrollBarWindowTest, ABarWithNothingToScrollShowsNoThumbAndIgnoresInput)
{
	EXPECT_GT(TrackColours().size(), 1u);
	rgb_color enabledArrow = driver::PixelAt(window, 10 + 192, 117);

	// The picture fits: the editor's own rule gives an empty range and a proportion above 1.
	{
		BAutolock lock(window);
		picture->ResizeTo(150, 99);
		bar->SetRange(0, 0);
		bar->SetProportion(199.0f / 150.0f);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(TrackColours().size(), 1u);
	EXPECT_NE(driver::PixelAt(window, 10 + 192, 117), enabledArrow);

	driver::ClickAt(OnBar(192));
	driver::ClickAt(OnBar(170));
	driver::Press(OnBar(100));
	driver::MoveTo(OnBar(150));
	driver::Release(OnBar(150));
	driver::MoveTo(driver::ScreenCentre(clip));
	driver::Backend()->InjectWheel(0, 3);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Value(), 0);
	EXPECT_EQ(PictureLeft(), 0);
	// The wheel nobody could use went on to the picture's parent.
	bool parentSawWheel = false;
	for (const InputRecord& record : clip->Records("message"))
		parentSawWheel = parentSawWheel || record.message.what == B_MOUSE_WHEEL_CHANGED;
	EXPECT_TRUE(parentSawWheel);

	// A proportion of 1 alone, with a range, also leaves nothing to grab.
	{
		BAutolock lock(window);
		bar->SetRange(0, 100);
		bar->SetProportion(1);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(TrackColours().size(), 1u);
}

TEST_F(ScrollBarWindowTest, ScrollingTheTargetMovesTheThumb)
{
	// At 0 the thumb covers x 15 to 71 of the bar; at 250 it covers 86 to 142.
	rgb_color thumb = driver::PixelAt(window, 10 + 30, 117);
	rgb_color track = driver::PixelAt(window, 10 + 100, 117);
	ASSERT_NE(thumb, track);
	{
		BAutolock lock(window);
		picture->ScrollTo(BPoint(250, 0));
		EXPECT_EQ(bar->Value(), 250);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, 10 + 30, 117), track);
	EXPECT_EQ(driver::PixelAt(window, 10 + 100, 117), thumb);
}
