// Alerts: what Go answers for each way of pressing a button, from a plain thread and from a
// window's thread (which keeps drawing but takes no input meanwhile), and the asynchronous Go.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <Alert.h>
#include <Autolock.h>
#include <Button.h>
#include <Invoker.h>
#include <Screen.h>

#include <HeadlessBackend.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowTestSupport.h"

namespace {

class AlertTest : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }

	// Makes and shows the alert in another thread (a window belongs to the thread that made
	// it until it is shown) and returns what Go answers once `press` ran.
	int32 Answer(const std::function<BAlert*()>& make,
	             const std::function<void(BAlert*)>& press)
	{
		std::atomic<int32> result{-100};
		std::atomic<BAlert*> shown{nullptr};
		std::thread waiting([&] {
			BAlert* alert = make();
			shown = alert;
			result = alert->Go();
		});
		EXPECT_TRUE(driver::WaitFor([&] {
			BAlert* alert = shown;
			return alert != nullptr && alert->Thread() >= 0 && driver::Sync(alert) == B_OK;
		}));
		press(shown);
		waiting.join();
		return result;
	}

	TestApplication app;
};

TEST_F(AlertTest, GoAnswersTheButtonPressedByPointerEnterEscapeOrShortcut)
{
	EXPECT_EQ(Answer([] { return new BAlert("Title", "Save changes?", "Cancel", "Don't", "Save"); },
	                 [](BAlert* alert) { driver::Click(alert->ButtonAt(1)); }),
	          1);
	EXPECT_EQ(Answer([] { return new BAlert("Title", "Text", "OK", "Cancel", nullptr); },
	                 [](BAlert* alert) {
		                 EXPECT_EQ(alert->CountButtons(), 2);
		                 driver::Key(B_ENTER);
	                 }),
	          1);
	auto withShortcuts = [] {
		BAlert* alert = new BAlert("Title", "Text", "OK", "Cancel (C)", nullptr);
		alert->SetShortcut(0, B_ESCAPE);
		alert->SetShortcut(1, 'c');
		return alert;
	};
	EXPECT_EQ(Answer(withShortcuts, [](BAlert*) { driver::Key(B_ESCAPE); }), 0);
	EXPECT_EQ(Answer(withShortcuts, [](BAlert*) { driver::Type("c"); }), 1);
	EXPECT_EQ(Answer(
	              [] {
		              BAlert* alert = new BAlert("Title", "Text", "Understood (U)", nullptr,
		                                         nullptr, B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		              alert->SetShortcut(0, 'u');
		              return alert;
	              },
	              [](BAlert*) { driver::Shortcut('u', B_CONTROL_KEY); }),
	          0);
}

TEST_F(AlertTest, AnAlertIsCentredOnTheScreenWithTheLastButtonAsDefault)
{
	driver::Backend()->SetScreenSize(1024, 768);
	int32 answer = Answer(
	    [] {
		    return new BAlert("Title", "A long message that has to be wrapped onto more than "
		                               "one line, since alerts do not grow without end.",
		                      "One", "Two", "Three", B_WIDTH_FROM_WIDEST, B_STOP_ALERT);
	    },
	    [](BAlert* alert) {
		    BRect frame = alert->Frame();
		    EXPECT_NEAR((frame.left + frame.right) / 2, 511.5, 1);
		    EXPECT_NEAR((frame.top + frame.bottom) / 2, 383.5, 1);
		    EXPECT_LE(frame.Width(), 480);
		    EXPECT_EQ(alert->ButtonAt(0)->Frame().Width(), alert->ButtonAt(2)->Frame().Width());
		    EXPECT_TRUE(alert->ButtonAt(2)->IsDefault());
		    driver::Key(B_ENTER);
	    });
	EXPECT_EQ(answer, 2);
}

// With a window at work the alert comes up over it, yet never past the screen's edge.
TEST_F(AlertTest, AnAlertIsCentredOverTheActiveWindowAndKeptOnTheScreen)
{
	driver::Backend()->SetScreenSize(1024, 768);
	BWindow* window = new BWindow(BRect(500, 300, 899, 599), "Work", B_TITLED_WINDOW, 0);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_TRUE(driver::WaitFor([&] { return window->IsActive(); }));
	auto make = [] { return new BAlert("Title", "Text", "OK"); };
	Answer(make, [](BAlert* alert) {
		BRect frame = alert->Frame();
		EXPECT_NEAR((frame.left + frame.right) / 2, 699.5, 1);
		EXPECT_NEAR((frame.top + frame.bottom) / 2, 449.5, 1);
		driver::Key(B_ENTER);
	});
	{
		BAutolock lock(window);
		window->MoveTo(900, 700);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	Answer(make, [](BAlert* alert) {
		BRect frame = alert->Frame();
		EXPECT_LE(frame.right, 1023);
		EXPECT_LE(frame.bottom, 767);
		EXPECT_GT(frame.left, 500);
		driver::Key(B_ENTER);
	});
	if (window->Lock())
		window->Quit();
}

// Opens an alert from its own thread when told to, and remembers the answer.
class AlertingWindow : public BWindow {
public:
	AlertingWindow() : BWindow(BRect(10, 10, 209, 109), "Owner", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'alrt') {
			// What the hook changes before it asks is drawn while it waits.
			if (BView* view = FindView("View")) {
				view->SetViewColor(0, 200, 0);
				view->Invalidate();
			}
			BAlert* shown = new BAlert("Question", "Which?", "First", "Second");
			alert = shown;
			answer = shown->Go();
			return;
		}
		BWindow::MessageReceived(message);
	}
	std::atomic<BAlert*> alert{nullptr};
	std::atomic<int32> answer{-100};
};

TEST_F(AlertTest, AWindowWaitingForAnAlertKeepsDrawingButTakesNoInput)
{
	AlertingWindow* window = new AlertingWindow;
	RecordingView* view = new RecordingView(BRect(0, 0, 199, 99), "View");
	window->AddChild(view);
	window->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	window->PostMessage('alrt');
	ASSERT_TRUE(driver::WaitFor([&] {
		BAlert* alert = window->alert;
		return alert != nullptr && !alert->IsHidden() && driver::Sync(alert) == B_OK;
	}));

	// The window's thread is inside Go, yet what it invalidated is drawn.
	ASSERT_TRUE(driver::WaitFor([&] { return driver::PixelAt(window, 5, 5) == make_color(0, 200, 0); }));
	// A click into the window is not taken while the alert is open.
	driver::ClickAt(BPoint(60, 60));
	driver::Click(window->alert.load()->ButtonAt(0));
	ASSERT_TRUE(driver::WaitFor([&] { return window->answer == 0; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(view->Records("down").empty());
}

// Receives the asynchronous answer.
class AnswerWindow : public BWindow {
public:
	AnswerWindow() : BWindow(BRect(10, 10, 49, 49), "Answers", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'answ')
			which = message->GetInt32("which", -1);
		else
			BWindow::MessageReceived(message);
	}
	std::atomic<int32> which{-100};
};

TEST_F(AlertTest, GoWithAnInvokerReturnsAtOnceAndSendsTheAnswer)
{
	AnswerWindow* answers = new AnswerWindow;
	answers->Show();
	BAlert* alert = new BAlert("Title", "Text", "A", "B", "C");
	// Returns at once, and the alert belongs to its own thread from here on.
	EXPECT_EQ(alert->Go(new BInvoker(new BMessage('answ'), answers)), B_OK);
	ASSERT_TRUE(driver::WaitFor([&] { return driver::Sync(alert) == B_OK; }));
	driver::Click(alert->ButtonAt(0));
	ASSERT_TRUE(driver::WaitFor([&] { return answers->which == 0; }));
}

} // namespace
