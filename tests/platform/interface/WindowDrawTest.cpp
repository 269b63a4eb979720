// The redraw pass as the screen shows it: view colours, Draw, children over parents, only
// what was invalidated, and painter caches that belong to one window.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowHost.h"
#include "WindowPrivate.h"
#include "WindowTestSupport.h"

namespace {

const rgb_color kRed = make_color(255, 0, 0);
const rgb_color kBlue = make_color(0, 0, 255);
const rgb_color kGreen = make_color(0, 255, 0);

// Fills its view colour and draws a blue square of 4 x 4 at (2, 2).
class SquareView : public BView {
public:
	SquareView(BRect frame, const char* name, uint32 flags = B_WILL_DRAW)
	    : BView(frame, name, B_FOLLOW_LEFT_TOP, flags)
	{
		SetViewColor(kRed);
	}
	void Draw(BRect update) override
	{
		draws++;
		lastUpdate = update;
		SetHighColor(kBlue);
		FillRect(BRect(2, 2, 5, 5));
	}
	int32 draws = 0;
	BRect lastUpdate;
};

class WindowDrawTest : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }
	TestApplication app;
};

TEST_F(WindowDrawTest, TheFramePresentedShowsViewColoursDrawAndChildren)
{
	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Paint", B_TITLED_WINDOW, 0);
	SquareView* parent = new SquareView(BRect(10, 10, 59, 59), "Parent");
	SquareView* child = new SquareView(BRect(20, 20, 29, 29), "Child");
	child->SetViewColor(kGreen);
	SquareView* hidden = new SquareView(BRect(60, 60, 69, 69), "Hidden");
	hidden->Hide();
	parent->AddChild(child);
	window->AddChild(parent);
	window->AddChild(hidden);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);

	EXPECT_EQ(driver::PixelAt(window, 5, 5), ui_color(B_PANEL_BACKGROUND_COLOR));
	EXPECT_EQ(driver::PixelAt(window, 10, 10), kRed);
	// Rectangles are exact: the square covers (12, 12) to (15, 15) and nothing more.
	EXPECT_EQ(driver::PixelAt(window, 12, 12), kBlue);
	EXPECT_EQ(driver::PixelAt(window, 15, 15), kBlue);
	EXPECT_EQ(driver::PixelAt(window, 16, 16), kRed);
	EXPECT_EQ(driver::PixelAt(window, 11, 15), kRed);
	// The child lies over its parent: its own colour and square.
	EXPECT_EQ(driver::PixelAt(window, 30 + 0, 30 + 0), kGreen);
	EXPECT_EQ(driver::PixelAt(window, 30 + 2, 30 + 2), kBlue);
	EXPECT_EQ(driver::PixelAt(window, 30 + 9, 30 + 9), kGreen);
	// A hidden view draws nothing.
	EXPECT_EQ(driver::PixelAt(window, 65, 65), ui_color(B_PANEL_BACKGROUND_COLOR));
	EXPECT_EQ(hidden->draws, 0);
}

TEST_F(WindowDrawTest, OnlyTheViewsThatMeetTheInvalidatedAreaAreDrawn)
{
	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Partial", B_TITLED_WINDOW, 0);
	SquareView* left = new SquareView(BRect(0, 0, 39, 39), "Left");
	SquareView* right = new SquareView(BRect(50, 0, 89, 39), "Right");
	SquareView* silent = new SquareView(BRect(0, 50, 39, 89), "Silent", 0);
	window->AddChild(left);
	window->AddChild(right);
	window->AddChild(silent);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	int32 leftDraws, rightDraws;
	uint64 frames = driver::Backend()->PresentedFrames();
	{
		BAutolock lock(window);
		leftDraws = left->draws;
		rightDraws = right->draws;
		EXPECT_EQ(silent->draws, 0); // no B_WILL_DRAW: only its view colour
		left->Invalidate(BRect(30, 30, 35, 35));
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	EXPECT_EQ(left->draws, leftDraws + 1);
	EXPECT_EQ(left->lastUpdate, BRect(30, 30, 35, 35));
	EXPECT_EQ(right->draws, rightDraws);
	EXPECT_GT(driver::Backend()->PresentedFrames(), frames);
	EXPECT_EQ(driver::PixelAt(window, 10, 60), kRed);
}

TEST_F(WindowDrawTest, DisabledUpdatesCollectUntilEnabled)
{
	BWindow* window = new BWindow(BRect(0, 0, 49, 49), "Disabled", B_TITLED_WINDOW, 0);
	SquareView* view = new SquareView(BRect(0, 0, 49, 49), "View");
	window->AddChild(view);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		window->DisableUpdates();
		view->SetViewColor(kGreen);
		view->Invalidate();
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, 0, 0), kRed);
	{
		BAutolock lock(window);
		window->EnableUpdates();
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, 0, 0), kGreen);
}

// Draws a mark under the pointer when pressed, outside any redraw pass.
class PressMarkView : public BView {
public:
	PressMarkView(BRect frame) : BView(frame, "Mark", B_FOLLOW_LEFT_TOP, B_WILL_DRAW) {}
	void MouseDown(BPoint where) override
	{
		SetHighColor(kBlue);
		FillRect(BRect(where, where));
	}
};

TEST_F(WindowDrawTest, DrawingInAHookIsShownAfterTheMessageAndNeverOverAChild)
{
	BWindow* window = new BWindow(BRect(100, 100, 199, 199), "Direct", B_TITLED_WINDOW, 0);
	PressMarkView* view = new PressMarkView(BRect(0, 0, 99, 99));
	SquareView* child = new SquareView(BRect(50, 50, 59, 59), "Child");
	view->AddChild(child);
	window->AddChild(view);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::ClickAt(BPoint(110, 120));
	driver::ClickAt(BPoint(150, 150)); // over the child: goes to the child, draws nothing
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, 10, 20), kBlue);
	EXPECT_EQ(driver::PixelAt(window, 50, 50), kRed);
}

TEST_F(WindowDrawTest, MovingAViewInOneWindowLeavesTheOtherWindowsPaintersAlone)
{
	BWindow* first = new BWindow(BRect(0, 0, 49, 49), "First", B_TITLED_WINDOW, 0);
	BWindow* second = new BWindow(BRect(100, 0, 149, 49), "Second", B_TITLED_WINDOW, 0);
	SquareView* a = new SquareView(BRect(0, 0, 9, 9), "A");
	SquareView* b = new SquareView(BRect(0, 0, 9, 9), "B");
	first->AddChild(a);
	second->AddChild(b);
	first->Show();
	second->Show();
	ASSERT_EQ(driver::Sync(first), B_OK);
	uint64 epoch = BPrivate::WindowAccess::Host(first)->GeometryEpoch();
	{
		BAutolock lock(second);
		b->MoveTo(20, 20);
		b->ResizeTo(15, 15);
		b->Hide();
	}
	EXPECT_EQ(BPrivate::WindowAccess::Host(first)->GeometryEpoch(), epoch);
	{
		BAutolock lock(first);
		a->MoveTo(5, 5);
	}
	EXPECT_NE(BPrivate::WindowAccess::Host(first)->GeometryEpoch(), epoch);
	// And the moved view draws at its new place, the old place repainted.
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_EQ(driver::PixelAt(first, 5, 5), kRed);
	EXPECT_EQ(driver::PixelAt(first, 7, 7), kBlue);
	EXPECT_EQ(driver::PixelAt(first, 0, 0), ui_color(B_PANEL_BACKGROUND_COLOR));
}

} // namespace
