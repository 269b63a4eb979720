// Windows as the user and the program see them: showing and hiding, activation, geometry and
// its limits, frame events, quitting by every route, and objects deleted inside their hooks.
#include <gtest/gtest.h>

#include <atomic>

#include <Application.h>
#include <Autolock.h>
#include <Screen.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowPrivate.h"
#include "WindowTestSupport.h"

namespace {

using BPrivate::WindowAccess;

bool BackendVisible(BWindow* window)
{
	BPrivate::HeadlessBackend::WindowState state;
	return driver::Backend()->GetWindow(WindowAccess::BackendId(window), &state) &&
	       state.visible;
}

class WindowTest : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }
	TestApplication app;
};

TEST_F(WindowTest, ShowAndHideCountAndTheFirstShowStartsTheThread)
{
	BWindow* window = new BWindow(BRect(10, 10, 109, 109), "Counted", B_TITLED_WINDOW, 0);
	EXPECT_TRUE(window->IsHidden());
	EXPECT_LT(window->Thread(), 0);
	EXPECT_FALSE(BackendVisible(window));
	window->Show();
	EXPECT_GE(window->Thread(), 0);
	EXPECT_FALSE(window->IsHidden());
	EXPECT_TRUE(BackendVisible(window));

	window->Hide();
	window->Hide();
	window->Show();
	EXPECT_TRUE(window->IsHidden());
	EXPECT_FALSE(BackendVisible(window));
	window->Show();
	EXPECT_FALSE(window->IsHidden());
	EXPECT_TRUE(BackendVisible(window));
	EXPECT_EQ(be_app->CountWindows(), 1);
}

TEST_F(WindowTest, ShowingTakesTheFocusUnlessTheWindowAvoidsIt)
{
	RecordingWindow* first = new RecordingWindow(BRect(10, 10, 109, 109), "First");
	RecordingView* view = new RecordingView(BRect(0, 0, 9, 9), "View");
	first->AddChild(view);
	first->Show();
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_TRUE(first->IsActive());
	EXPECT_EQ(view->Records("activated").size(), 1u);

	RecordingWindow* tip = new RecordingWindow(BRect(200, 10, 249, 29), "Tip", B_AVOID_FOCUS);
	tip->Show();
	ASSERT_EQ(driver::Sync(tip), B_OK);
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_FALSE(tip->IsActive());
	EXPECT_TRUE(first->IsActive());

	RecordingWindow* second = new RecordingWindow(BRect(300, 10, 399, 109), "Second");
	second->Show();
	ASSERT_EQ(driver::Sync(second), B_OK);
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_TRUE(second->IsActive());
	EXPECT_FALSE(first->IsActive());
	EXPECT_EQ(view->Records("deactivated").size(), 1u);

	first->Activate();
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_TRUE(first->IsActive());
	// A click into an inactive window activates it, as a window manager would.
	driver::ClickAt(BPoint(350, 50));
	ASSERT_EQ(driver::Sync(second), B_OK);
	ASSERT_EQ(driver::Sync(first), B_OK);
	EXPECT_TRUE(second->IsActive());
	std::lock_guard<std::mutex> lock(first->fLock);
	EXPECT_EQ(first->activations, (std::vector<bool>{true, false, true, false}));
}

TEST_F(WindowTest, ResizingFollowsTheLimitsAndTheViewsFollowTheirModes)
{
	RecordingWindow* window = new RecordingWindow(BRect(10, 10, 309, 209), "Sized");
	RecordingView* all = new RecordingView(BRect(10, 10, 289, 189), "All", B_FOLLOW_ALL);
	RecordingView* right = new RecordingView(BRect(250, 10, 289, 29), "Right", B_FOLLOW_RIGHT);
	RecordingView* width = new RecordingView(BRect(10, 195, 289, 199), "Width",
	                                         B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	window->AddChild(all);
	window->AddChild(right);
	window->AddChild(width);
	window->Show();
	{
		BAutolock lock(window);
		window->ResizeBy(50, 20);
		EXPECT_EQ(window->Bounds(), BRect(0, 0, 349, 219));
		EXPECT_EQ(all->Frame(), BRect(10, 10, 339, 209));
		EXPECT_EQ(right->Frame(), BRect(300, 10, 339, 29));
		EXPECT_EQ(width->Frame(), BRect(10, 215, 339, 219));

		// New limits bring the window into them at once; the program cannot pass them.
		window->SetSizeLimits(50, 10000, 100, 100);
		EXPECT_EQ(window->Bounds().Height(), 100);
		window->ResizeTo(200, 400);
		EXPECT_EQ(window->Bounds(), BRect(0, 0, 200, 100));
	}
	// Neither can the user.
	driver::Backend()->InjectUserResize(WindowAccess::BackendId(window), 400, 300);
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_EQ(window->Bounds(), BRect(0, 0, 399, 100));
		EXPECT_EQ(all->Frame().right, 389);
	}
	float minWidth, maxWidth, minHeight, maxHeight;
	window->GetSizeLimits(&minWidth, &maxWidth, &minHeight, &maxHeight);
	EXPECT_EQ(minHeight, 100);
	EXPECT_EQ(maxHeight, 100);
	std::lock_guard<std::mutex> lock(window->fLock);
	ASSERT_FALSE(window->resizes.empty());
	EXPECT_EQ(window->resizes.back(), BPoint(399, 100));
}

TEST_F(WindowTest, FrameEventsReachViewsThatAskForThem)
{
	BWindow* window = new BWindow(BRect(10, 10, 309, 209), "Frames", B_TITLED_WINDOW, 0);
	RecordingView* asks = new RecordingView(BRect(10, 10, 49, 49), "Asks", B_FOLLOW_LEFT_TOP,
	                                        B_WILL_DRAW | B_FRAME_EVENTS);
	RecordingView* silent = new RecordingView(BRect(60, 10, 99, 49), "Silent");
	window->AddChild(asks);
	window->AddChild(silent);
	window->Show();
	{
		BAutolock lock(window);
		asks->MoveTo(20, 30);
		asks->ResizeTo(60, 70);
		silent->MoveTo(120, 30);
		silent->ResizeTo(60, 70);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(asks->Records("framemoved").size(), 1u);
	EXPECT_EQ(asks->Records("framemoved")[0].where, BPoint(20, 30));
	ASSERT_EQ(asks->Records("frameresized").size(), 1u);
	EXPECT_EQ(asks->Records("frameresized")[0].where, BPoint(60, 70));
	EXPECT_TRUE(silent->Records("framemoved").empty());
	EXPECT_TRUE(silent->Records("frameresized").empty());
}

TEST_F(WindowTest, MovingKeepsFrameScreenAndBackendInStep)
{
	RecordingWindow* window = new RecordingWindow(BRect(10, 20, 109, 119), "Moved");
	RecordingView* view = new RecordingView(BRect(5, 5, 14, 14), "View");
	window->AddChild(view);
	window->Show();
	{
		BAutolock lock(window);
		window->MoveTo(200, 300);
		EXPECT_EQ(window->Frame(), BRect(200, 300, 299, 399));
		EXPECT_EQ(view->ConvertToScreen(BPoint(0, 0)), BPoint(205, 305));
	}
	driver::Backend()->InjectUserMove(WindowAccess::BackendId(window), 50, 60);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(window->Frame().LeftTop(), BPoint(50, 60));
	// Clicks land by the new place.
	driver::ClickAt(BPoint(50 + 8, 60 + 8));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(view->Records("down").size(), 1u);
	std::lock_guard<std::mutex> lock(window->fLock);
	EXPECT_EQ(window->moves.back(), BPoint(50, 60));

	EXPECT_TRUE(BScreen().IsValid());
	EXPECT_EQ(BScreen().Frame(), BRect(0, 0, 1279, 1023));
	driver::Backend()->SetScreenSize(1024, 768);
	EXPECT_EQ(BScreen(window).Frame(), BRect(0, 0, 1023, 767));
}

// An application that counts the quit requests it gets.
class CountingApp : public BApplication {
public:
	CountingApp() : BApplication("application/x-vnd.Glowplate-QuitTest") {}
	bool QuitRequested() override
	{
		requests++;
		return BApplication::QuitRequested();
	}
	std::atomic<int32> requests{0};
};

TEST(WindowQuitTest, CtrlQAsksTheApplicationAndCtrlWAndTheCloseBoxAskTheWindow)
{
	CountingApp* counting = nullptr;
	TestApplication app([&] { return counting = new CountingApp; });
	RecordingWindow* window = new RecordingWindow(BRect(10, 10, 109, 109), "Quitting");
	window->agreeToQuit = false;
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);

	driver::Shortcut('q');
	ASSERT_TRUE(driver::WaitFor([&] { return counting->requests == 1; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(be_app->CountWindows(), 1);

	driver::Shortcut('w');
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::Backend()->InjectCloseRequest(WindowAccess::BackendId(window));
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		std::lock_guard<std::mutex> lock(window->fLock);
		EXPECT_EQ(window->quitRequests, 3);
	}
	// A window that agrees goes.
	window->agreeToQuit = true;
	driver::Backend()->InjectCloseRequest(WindowAccess::BackendId(window));
	ASSERT_TRUE(driver::WaitFor([] { return be_app->CountWindows() == 0; }));
}

TEST_F(WindowTest, AWindowQuitFromAnotherThreadIsGoneWhenQuitReturns)
{
	BWindow* window = new BWindow(BRect(10, 10, 109, 109), "Remote", B_TITLED_WINDOW, 0);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	int32 id = WindowAccess::BackendId(window);
	ASSERT_TRUE(window->Lock());
	window->Quit();
	EXPECT_EQ(be_app->CountWindows(), 0);
	BPrivate::HeadlessBackend::WindowState state;
	EXPECT_FALSE(driver::Backend()->GetWindow(id, &state));

	// A window that never ran is deleted at once.
	BWindow* never = new BWindow(BRect(10, 10, 109, 109), "Never", B_TITLED_WINDOW, 0);
	never->Quit();
	EXPECT_EQ(be_app->CountWindows(), 0);
}

// Deletes itself when pressed.
class SelfDeletingView : public RecordingView {
public:
	using RecordingView::RecordingView;
	void MouseDown(BPoint where) override
	{
		RemoveSelf();
		delete this;
	}
};

// Quits itself inside its own hook.
class SelfQuittingWindow : public BWindow {
public:
	SelfQuittingWindow() : BWindow(BRect(10, 10, 109, 109), "SelfQuit", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'quit') {
			Quit();
			// The window is still usable until the hook returns.
			SetTitle("still here");
			return;
		}
		BWindow::MessageReceived(message);
	}
};

TEST_F(WindowTest, ViewsAndWindowsDeletedInTheirOwnHooksAreSurvived)
{
	BWindow* window = new BWindow(BRect(10, 10, 109, 109), "Hooks", B_TITLED_WINDOW, 0);
	SelfDeletingView* doomed = new SelfDeletingView(BRect(0, 0, 49, 49), "Doomed");
	RecordingView* parent = new RecordingView(BRect(50, 0, 99, 49), "Parent");
	window->AddChild(doomed);
	window->AddChild(parent);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	BPoint where = driver::ScreenCentre(doomed);
	driver::Press(where);
	driver::MoveTo(where + BPoint(1, 1));
	driver::Release(where);
	driver::ClickAt(where);
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_EQ(window->FindView("Doomed"), nullptr);
		EXPECT_EQ(window->CountChildren(), 1);
	}
	ASSERT_TRUE(driver::Click(parent));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(parent->Records("down").size(), 1u);

	SelfQuittingWindow* quitting = new SelfQuittingWindow;
	quitting->Show();
	ASSERT_EQ(be_app->CountWindows(), 2);
	quitting->PostMessage('quit');
	ASSERT_TRUE(driver::WaitFor([] { return be_app->CountWindows() == 1; }));
}

} // namespace
