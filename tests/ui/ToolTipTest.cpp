// Tool tips driven by the pointer through the headless display. What happens is read from the
// order of the tip's own messages and from whether its window is open; the times are either
// zero (at once), one hour (never, within a test) or short enough to wait for, and the rule
// that lets a tip follow one that has just closed is driven by the time of the last close
// rather than by waiting.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include <Autolock.h>
#include <Message.h>
#include <OS.h>
#include <Screen.h>
#include <Window.h>

#include "TToolBar.h"
#include "TToolButton.h"
#include "TToolTip.h"
#include "TToolTipWindow.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

const bigtime_t kNever = 3600000000LL;

// A tip that notes every message it handles, and whether its window was open afterwards.
class RecordingToolTip : public TToolTip {
public:
	explicit RecordingToolTip(const char* name) : TToolTip(name) {}

	void MessageReceived(BMessage* message) override
	{
		TToolTip::MessageReceived(message);
		std::lock_guard<std::mutex> lock(fLock);
		std::string event;
		switch (message->what) {
		case kMsgMouseEntered:
			event = "enter";
			break;
		case kMsgMouseExited:
			event = "exit";
			break;
		case kMsgOpenWindow:
			event = FindToolTipWindow().IsValid() ? "open" : "refused";
			break;
		case kMsgHideWindow:
			event = "hide";
			break;
		}
		fEvents.push_back(event);
	}

	std::vector<std::string> Events()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fEvents;
	}

private:
	std::mutex fLock;
	std::vector<std::string> fEvents;
};

typedef std::vector<std::string> Events;

class ToolTipTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		TToolTip::SetLastHideTime(0);
		window = new BWindow(BRect(100, 100, 399, 199), "Tips", B_TITLED_WINDOW, 0);
		left = new BView(BRect(10, 10, 59, 39), "Left", B_FOLLOW_NONE, B_WILL_DRAW);
		right = new BView(BRect(60, 10, 109, 39), "Right", B_FOLLOW_NONE, B_WILL_DRAW);
		window->AddChild(left);
		window->AddChild(right);
		leftTip = new RecordingToolTip("Left");
		rightTip = new RecordingToolTip("Right");
		leftTip->SetTip("Left tip");
		rightTip->SetTip("Right tip");
		ASSERT_EQ(leftTip->SetTarget(left), B_OK);
		ASSERT_EQ(rightTip->SetTarget(right), B_OK);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	void TearDown() override
	{
		if (window->Lock()) {
			delete leftTip;
			delete rightTip;
			window->Unlock();
		}
		app.Quit();
	}

	void Times(RecordingToolTip* tip, bigtime_t delay, bigtime_t show)
	{
		BAutolock lock(window);
		ASSERT_EQ(tip->SetDelayTime(delay), B_OK);
		ASSERT_EQ(tip->SetShowTime(show), B_OK);
	}

	bool IsOpen(RecordingToolTip* tip)
	{
		BAutolock lock(window);
		return tip->FindToolTipWindow().IsValid();
	}

	// The tip's events once there are `count` of them: a move, the tip's entry and its
	// answer are three messages in a row, more than a barrier covers.
	Events EventsOnce(RecordingToolTip* tip, size_t count)
	{
		EXPECT_TRUE(driver::WaitFor([&] { return tip->Events().size() >= count; }));
		return tip->Events();
	}

	void Away()
	{
		driver::MoveTo(BPoint(350, 180));
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	TestApplication app;
	BWindow* window = nullptr;
	BView* left = nullptr;
	BView* right = nullptr;
	RecordingToolTip* leftTip = nullptr;
	RecordingToolTip* rightTip = nullptr;
};

TEST_F(ToolTipTest, ATipOpensAfterItsDelayAndClosesByItselfAfterItsShowTime)
{
	Times(leftTip, 1000, 300000);
	driver::MoveTo(driver::ScreenCentre(left));
	ASSERT_TRUE(driver::WaitFor([&] { return leftTip->Events().size() == 2; }));
	EXPECT_EQ(leftTip->Events(), (Events{"enter", "open"}));
	ASSERT_TRUE(
	    driver::WaitFor([&] { return !TToolTip::IsAnyToolTipWindowOpened() && !IsOpen(leftTip); }));
	EXPECT_EQ(TToolTip::LastHideTime(), 0) << "closing by itself is no hide";
	EXPECT_EQ(leftTip->Events(), (Events{"enter", "open"}));
}

TEST_F(ToolTipTest, ATipWaitsForItsDelayAndLeavingCancelsTheWait)
{
	Times(leftTip, kNever, kNever);
	driver::MoveTo(driver::ScreenCentre(left));
	driver::MoveTo(driver::ScreenCentre(left) + BPoint(3, 3));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(leftTip->Events(), (Events{"enter"})) << "one entry, and no window yet";
	Away();
	EXPECT_EQ(EventsOnce(leftTip, 3), (Events{"enter", "exit", "hide"}));
	EXPECT_FALSE(TToolTip::IsAnyToolTipWindowOpened());
	EXPECT_EQ(TToolTip::LastHideTime(), 0) << "there was no window to hide";
}

TEST_F(ToolTipTest, TheNextTipFollowsAtOnceWhileOneIsOpen)
{
	Times(leftTip, 0, kNever);
	Times(rightTip, kNever, kNever);
	driver::MoveTo(driver::ScreenCentre(left));
	ASSERT_TRUE(driver::WaitFor([&] { return IsOpen(leftTip); }));
	driver::MoveTo(driver::ScreenCentre(right));
	EXPECT_EQ(EventsOnce(rightTip, 2), (Events{"enter", "open"}))
	    << "the right tip's own delay would be an hour";
	EXPECT_EQ(EventsOnce(leftTip, 4), (Events{"enter", "open", "exit", "hide"}));
	EXPECT_GT(TToolTip::LastHideTime(), 0);

	// The tip window never took the focus from the window it serves.
	BAutolock lock(window);
	EXPECT_TRUE(window->IsActive());
}

TEST_F(ToolTipTest, ATipFollowsAtOnceOnlyWithinAFifthOfASecondOfTheLastHide)
{
	Times(leftTip, kNever, kNever);
	// Long ago: the tip waits for its delay.
	TToolTip::SetLastHideTime(system_time() - TToolTip::kFollowTime - 1000);
	driver::MoveTo(driver::ScreenCentre(left));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(leftTip->Events(), (Events{"enter"}));
	Away();

	// A hide time that lies ahead counts as one that has just happened, however slow the
	// machine is between setting it and the pointer's arrival.
	TToolTip::SetLastHideTime(system_time() + kNever);
	driver::MoveTo(driver::ScreenCentre(left));
	EXPECT_EQ(EventsOnce(leftTip, 5), (Events{"enter", "exit", "hide", "enter", "open"}));
}

TEST_F(ToolTipTest, NoTipOpensWhileAButtonIsHeldOrTheWindowIsInactive)
{
	Times(leftTip, kNever, kNever);
	BPoint centre = driver::ScreenCentre(left);
	driver::Press(centre);
	ASSERT_EQ(driver::Sync(window), B_OK);
	Times(leftTip, 0, kNever);
	// Out and in again with the button held; the tip is asked to open at once.
	Away();
	driver::MoveTo(centre);
	EXPECT_EQ(EventsOnce(leftTip, 5), (Events{"enter", "exit", "hide", "enter", "refused"}));
	driver::Release(centre);
	Away();
	EventsOnce(leftTip, 7);

	BWindow* other = new BWindow(BRect(500, 100, 599, 199), "Other", B_TITLED_WINDOW, 0);
	other->Show();
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return !window->IsActive();
	}));
	driver::MoveTo(centre);
	Events events = EventsOnce(leftTip, 9);
	EXPECT_EQ(events, (Events{"enter", "exit", "hide", "enter", "refused", "exit", "hide", "enter",
	                          "refused"}));
	EXPECT_FALSE(TToolTip::IsAnyToolTipWindowOpened());
}

TEST_F(ToolTipTest, AnEmptyTipShowsNothingAndNegativeTimesAreRefused)
{
	BAutolock lock(window);
	leftTip->SetTip("");
	EXPECT_EQ(leftTip->SetDelayTime(-1), -1);
	EXPECT_EQ(leftTip->DelayTime(), TToolTip::kDefaultDelayTime);
	EXPECT_EQ(leftTip->SetShowTime(-5), -1);
	EXPECT_EQ(leftTip->ShowTime(), TToolTip::kDefaultShowTime);
	ASSERT_EQ(leftTip->SetDelayTime(0), B_OK);
	EXPECT_STREQ(leftTip->ToolTipWindowName().String(), "TlTipWin_Left");
	lock.Unlock();
	driver::MoveTo(driver::ScreenCentre(left));
	EXPECT_EQ(EventsOnce(leftTip, 2), (Events{"enter", "refused"}));
}

TEST(ToolTipWindowTest, ATipNearTheScreensCornerStaysWholeOnTheScreen)
{
	TestApplication app;
	BRect screen = BScreen().Frame();
	BPoint pointer(screen.right - 2, screen.bottom - 2);
	BRect frame(pointer.x - 16, pointer.y + 16, pointer.x - 16, pointer.y + 16);
	TToolTipWindow* tip = new TToolTipWindow(frame, "TlTipWin_Corner", "A rather long tip", kNever);
	BRect placed = tip->Frame();
	EXPECT_LE(placed.right, screen.right - 1) << "one pixel of border stays on the screen too";
	EXPECT_LE(placed.bottom, pointer.y - 16) << "above the pointer, not under it";
	EXPECT_GE(placed.left, 1);
	EXPECT_EQ(tip->Look(), B_BORDERED_WINDOW_LOOK);
	EXPECT_NE(tip->Flags() & B_AVOID_FOCUS, 0u);
	EXPECT_EQ(TToolTipWindow::CountOpen(), 1);
	tip->Quit();
	EXPECT_EQ(TToolTipWindow::CountOpen(), 0);
	app.Quit();
}

// A tip window of a tool button goes as soon as the button is clicked.
TEST(ToolButtonTipTest, ClickingAButtonHidesItsTipAtOnce)
{
	TestApplication app;
	BWindow* window = new BWindow(BRect(100, 100, 399, 199), "Bar", B_TITLED_WINDOW, 0);
	TToolBar* bar = new TToolBar(BRect(0, 0, 10, 10), "ToolBar", B_FOLLOW_LEFT_TOP);
	window->AddChild(bar);
	TToolButton* item = new TToolButton(BRect(0, 0, 1, 1), "Item", nullptr, "Item",
	                                    new BMessage('itm '), TToolButton::kPushBehavior);
	bar->AddItem(item);
	item->SetTip("Does a thing");
	item->ToolTip()->SetDelayTime(0);
	item->ToolTip()->SetShowTime(kNever);
	window->Show();
	TToolTip::SetLastHideTime(0);
	driver::MoveTo(driver::ScreenCentre(item));
	ASSERT_TRUE(driver::WaitFor([&] { return TToolTip::IsAnyToolTipWindowOpened(); }));
	ASSERT_TRUE(driver::Click(item));
	ASSERT_TRUE(driver::WaitFor([&] { return !TToolTip::IsAnyToolTipWindowOpened(); }));
	EXPECT_GT(TToolTip::LastHideTime(), 0);
	app.Quit();
}

} // namespace
