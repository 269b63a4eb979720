// The base windows of the toolkit on a headless screen of a set size: placement that keeps a
// window and its frame on the screen for each look, Appear, close boxes that hide while a
// programmatic quit closes, the notices passed down to the content view, and what a dialog
// window adds (its thread's priority and its invocation).
#include <gtest/gtest.h>

#include <atomic>

#include <Autolock.h>
#include <HeadlessBackend.h>
#include <OS.h>
#include <Screen.h>

#include <TBasicView.h>
#include <TBasicWindow.h>
#include <TDialogWindow.h>
#include <ToolkitDefs.h>

#include "MessageRecorder.h"
#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowPrivate.h"

namespace {

// A content view that counts the notices it hears.
class NoticedView : public TBasicView {
public:
	NoticedView() : TBasicView(BRect(0, 0, 99, 99), "Noticed", B_FOLLOW_ALL, B_WILL_DRAW) {}
	void IAPChanged(BMessage*) override { iap++; }
	void LanguageChanged() override { language++; }
	std::atomic<int> iap{0};
	std::atomic<int> language{0};
};

class NoticedWindow : public TBasicWindow {
public:
	explicit NoticedWindow(window_look look = B_TITLED_WINDOW_LOOK, uint32 flags = 0)
	    : TBasicWindow(BRect(0, 0, 300, 200), "Noticed", look, B_NORMAL_WINDOW_FEEL, flags)
	{
	}
	void IAPChanged(BMessage*) override { iap++; }
	void LanguageChanged() override { language++; }
	std::atomic<int> iap{0};
	std::atomic<int> language{0};
};

class TBasicWindowTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		// The screen's frame ends at 1023, 767.
		app.Backend()->SetScreenSize(1024, 768);
	}

	// Where a window of the look, 300 x 200 (bounds ending at 300, 200), lands when asked to go
	// to the point; the window is never shown.
	static BPoint MovedTo(window_look look, BPoint where, BRect bounds = BRect(0, 0, 300, 200))
	{
		TBasicWindow* window = new TBasicWindow(bounds, "Placed", look, B_NORMAL_WINDOW_FEEL, 0);
		BPoint used = window->IntelligentMoveTo(where);
		EXPECT_EQ(window->Frame().LeftTop(), used) << "the window is where the answer says";
		window->Quit();
		return used;
	}

	TestApplication app;
};

TEST_F(TBasicWindowTest, IntelligentMoveToKeepsEachLookAndItsFrameOnTheScreen)
{
	EXPECT_EQ(BScreen().Frame(), BRect(0, 0, 1023, 767));

	// Right and bottom: the border stays on the screen.
	EXPECT_EQ(MovedTo(B_TITLED_WINDOW_LOOK, BPoint(1000, 100)), BPoint(718, 100));
	EXPECT_EQ(MovedTo(B_TITLED_WINDOW_LOOK, BPoint(100, 700)), BPoint(100, 562));
	// A window that just fits is not moved.
	EXPECT_EQ(MovedTo(B_TITLED_WINDOW_LOOK, BPoint(718, 562)), BPoint(718, 562));

	// Left and top: the title bar and the border stay on the screen, by look.
	EXPECT_EQ(MovedTo(B_TITLED_WINDOW_LOOK, BPoint(0, 0)), BPoint(5, 27));
	EXPECT_EQ(MovedTo(B_DOCUMENT_WINDOW_LOOK, BPoint(0, 0)), BPoint(5, 27));
	EXPECT_EQ(MovedTo(B_MODAL_WINDOW_LOOK, BPoint(0, 0)), BPoint(5, 5));
	EXPECT_EQ(MovedTo(B_FLOATING_WINDOW_LOOK, BPoint(-50, -50)), BPoint(3, 21));
	EXPECT_EQ(MovedTo(B_BORDERED_WINDOW_LOOK, BPoint(0, 0)), BPoint(1, 1));
	EXPECT_EQ(MovedTo(B_NO_BORDER_WINDOW_LOOK, BPoint(-10, -10)), BPoint(0, 0));
	EXPECT_EQ(MovedTo(B_NO_BORDER_WINDOW_LOOK, BPoint(1000, 700)), BPoint(723, 567));

	// Larger than the screen: the top-left corner wins.
	EXPECT_EQ(MovedTo(B_TITLED_WINDOW_LOOK, BPoint(300, 300), BRect(0, 0, 2000, 1000)),
	          BPoint(5, 27));
}

TEST_F(TBasicWindowTest, AdjustPullsAWindowBackAndCenteringIgnoresTheFrame)
{
	TBasicWindow* window = new TBasicWindow(BRect(900, 700, 1200, 900), "Off", B_TITLED_WINDOW, 0);
	EXPECT_EQ(window->IntelligentAdjust(), BPoint(718, 562));
	EXPECT_EQ(window->Frame().LeftTop(), BPoint(718, 562));
	EXPECT_EQ(window->IntelligentCentering(), BPoint(361.5f, 283.5f));
	// Windows stand on whole pixels.
	EXPECT_NEAR(window->Frame().left, 361.5f, 0.5f);
	EXPECT_NEAR(window->Frame().top, 283.5f, 0.5f);
	window->Quit();
}

TEST_F(TBasicWindowTest, AppearShowsAWindowHiddenTwiceAndRespectsAvoidFocus)
{
	NoticedWindow* window = new NoticedWindow;
	window->Show();
	window->Hide();
	window->Hide();
	window->Appear();
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_FALSE(window->IsHidden());
	}
	int32 id = BPrivate::WindowAccess::BackendId(window);
	EXPECT_EQ(app.Backend()->FocusedWindow(), id);

	NoticedWindow* shy = new NoticedWindow(B_FLOATING_WINDOW_LOOK, B_AVOID_FOCUS);
	shy->Appear();
	ASSERT_EQ(driver::Sync(shy), B_OK);
	{
		BAutolock lock(shy);
		EXPECT_FALSE(shy->IsHidden());
		EXPECT_FALSE(shy->IsActive());
	}
	EXPECT_EQ(app.Backend()->FocusedWindow(), id) << "the focus stays where it was";
}

TEST_F(TBasicWindowTest, TheCloseBoxHidesAndOnlyAProgrammaticQuitCloses)
{
	NoticedWindow* window = new NoticedWindow;
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	app.Backend()->InjectCloseRequest(BPrivate::WindowAccess::BackendId(window));
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_TRUE(window->IsHidden());
	}
	EXPECT_EQ(be_app->CountWindows(), 1) << "hidden, not gone";

	// As the application asks its windows when it quits: no message is being handled.
	ASSERT_TRUE(window->Lock());
	EXPECT_TRUE(window->QuitRequested());
	window->Quit();
	EXPECT_EQ(be_app->CountWindows(), 0);
}

TEST_F(TBasicWindowTest, NoticesReachTheWindowAndThenItsContentView)
{
	NoticedWindow* window = new NoticedWindow;
	NoticedView* view = new NoticedView;
	window->AddChild(view);
	window->Show();
	window->PostMessage(MSG_IAP_CHANGED);
	window->PostMessage(MSG_LANGUAGE_CHANGED);
	window->PostMessage(MSG_LANGUAGE_CHANGED);
	ASSERT_TRUE(driver::WaitFor([&] { return view->iap == 1 && view->language == 2; }));
	EXPECT_EQ(window->iap, 1);
	EXPECT_EQ(window->language, 2);

	// A notice sent to the view itself stays there.
	BMessenger(view).SendMessage(MSG_IAP_CHANGED);
	ASSERT_TRUE(driver::WaitFor([&] { return view->iap == 2; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(window->iap, 1);

	// A window whose content is no basic view keeps its notices.
	NoticedWindow* plain = new NoticedWindow;
	plain->AddChild(new BView(BRect(0, 0, 10, 10), "Plain", B_FOLLOW_NONE, 0));
	plain->Show();
	plain->PostMessage(MSG_IAP_CHANGED);
	ASSERT_EQ(driver::Sync(plain), B_OK);
	EXPECT_EQ(plain->iap, 1);
}

TEST_F(TBasicWindowTest, ADialogWindowRunsAtDisplayPriorityWhileShownAndInvokesItsTarget)
{
	TDialogWindow* window = new TDialogWindow(BRect(0, 0, 100, 100), "Dialog", B_TITLED_WINDOW, 0);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	thread_info info;
	ASSERT_EQ(get_thread_info(window->Thread(), &info), B_OK);
	EXPECT_EQ(info.priority, B_DISPLAY_PRIORITY);
	window->Hide();
	ASSERT_EQ(get_thread_info(window->Thread(), &info), B_OK);
	EXPECT_EQ(info.priority, B_LOW_PRIORITY);

	RunningRecorder target;
	EXPECT_EQ(window->Invoke(), B_BAD_VALUE) << "nothing to send yet";
	window->SetTarget(BMessenger(target.Looper()));
	window->SetMessage(new BMessage('frst'));
	window->SetMessage(new BMessage('stor'));
	EXPECT_EQ(window->Invoke(), B_OK);
	BMessage given('givn');
	EXPECT_EQ(window->Invoke(&given), B_OK);
	std::vector<BMessage> received = target->MessagesAfterBarrier();
	ASSERT_EQ(received.size(), 2u);
	EXPECT_EQ(received[0].what, (uint32)'stor');
	EXPECT_EQ(received[1].what, (uint32)'givn');
}

} // namespace
