// Mouse gestures through real mouse messages: clicks within the 4-pixel threshold, drags beyond
// it, double and triple clicks, the right button, both buttons at once, and releases outside
// the view. Also the spy filter, which forwards a message once and never loops between spies.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include <Autolock.h>
#include <Window.h>

#include <TBasicView.h>
#include <TSpyFilter.h>

#include "MessageRecorder.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

// Writes every gesture hook as one word with its points: "click-L 5,5", "drag-L 5,5 20,5".
class GestureView : public TBasicView {
public:
	GestureView() : TBasicView(BRect(50, 50, 149, 149), "Gestures", B_FOLLOW_NONE, B_WILL_DRAW) {}

	void MouseDownLeft(BPoint p) override { Log("down-L", p); }
	void MouseDownRight(BPoint p) override { Log("down-R", p); }
	void MouseUpLeft(BPoint p) override { Log("up-L", p); }
	void MouseUpRight(BPoint p) override { Log("up-R", p); }
	void MouseClickLeftSingle(BPoint p) override { Log("click-L", p); }
	void MouseClickRightSingle(BPoint p) override { Log("click-R", p); }
	void MouseClickLeftDouble(BPoint p) override { Log("double-L", p); }
	void MouseClickRightDouble(BPoint p) override { Log("double-R", p); }
	void MouseDragBeginLeft(BPoint d, BPoint p) override { Log("begin-L", d, p); }
	void MouseDragBeginRight(BPoint d, BPoint p) override { Log("begin-R", d, p); }
	void MouseDraggingLeft(BPoint d, BPoint p) override { Log("drag-L", d, p); }
	void MouseDraggingRight(BPoint d, BPoint p) override { Log("drag-R", d, p); }
	void MouseDragEndLeft(BPoint d, BPoint p) override { Log("end-L", d, p); }
	void MouseDragEndRight(BPoint d, BPoint p) override { Log("end-R", d, p); }

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		TBasicView::MouseMoved(where, transit, drag);
		std::lock_guard<std::mutex> lock(fLock);
		fDraggingLeft = IsMouseDraggingLeft();
		fDraggingRight = IsMouseDraggingRight();
	}

	std::vector<std::string> Take()
	{
		std::lock_guard<std::mutex> lock(fLock);
		std::vector<std::string> log;
		log.swap(fLog);
		return log;
	}
	bool DraggingEither()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fDraggingLeft || fDraggingRight;
	}

private:
	static std::string Text(BPoint p)
	{
		return std::to_string((int)p.x) + "," + std::to_string((int)p.y);
	}
	void Log(const char* hook, BPoint p)
	{
		std::lock_guard<std::mutex> lock(fLock);
		fLog.push_back(std::string(hook) + " " + Text(p));
	}
	void Log(const char* hook, BPoint down, BPoint p)
	{
		std::lock_guard<std::mutex> lock(fLock);
		fLog.push_back(std::string(hook) + " " + Text(down) + " " + Text(p));
	}

	std::mutex fLock;
	std::vector<std::string> fLog;
	bool fDraggingLeft = false;
	bool fDraggingRight = false;
};

using Log = std::vector<std::string>;

class TMouseDownManagerTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 399, 299), "Gestures", B_TITLED_WINDOW, 0);
		view = new GestureView;
		window->AddChild(view);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	// A screen point for a point of the view: the view lies at 150, 150 on the screen.
	static BPoint At(float x, float y) { return BPoint(150 + x, 150 + y); }

	Log Done()
	{
		EXPECT_EQ(driver::Sync(window), B_OK);
		return view->Take();
	}

	TestApplication app;
	BWindow* window = nullptr;
	GestureView* view = nullptr;
};

TEST_F(TMouseDownManagerTest, AClickStaysAClickWithinFourPixels)
{
	driver::ClickAt(At(10, 10));
	EXPECT_EQ(Done(), (Log{"down-L 10,10", "click-L 10,10", "up-L 10,10"}));

	// Exactly 4 pixels away (16 squared) is still a click, released where the pointer is. (Far
	// from the first click, so that it is not the second of a double click.)
	driver::Press(At(60, 60));
	driver::MoveTo(At(64, 60));
	driver::Release(At(64, 60));
	EXPECT_EQ(Done(), (Log{"down-L 60,60", "click-L 64,60", "up-L 64,60"}));
}

TEST_F(TMouseDownManagerTest, ADragBeginsBeyondTheThresholdAndEndsWhereItIsReleased)
{
	driver::Press(At(10, 10));
	driver::MoveTo(At(12, 12));
	driver::MoveTo(At(30, 10));
	// Released outside the view: the press still holds the pointer.
	driver::Release(At(-20, 10));
	EXPECT_EQ(Done(), (Log{"down-L 10,10", "begin-L 10,10 30,10", "drag-L 10,10 30,10",
	                       "drag-L 10,10 -20,10", "end-L 10,10 -20,10", "up-L -20,10"}));

	driver::Press(At(50, 50), B_SECONDARY_MOUSE_BUTTON);
	driver::Release(At(50, 60), B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(Done(), (Log{"down-R 50,50", "begin-R 50,50 50,60", "drag-R 50,50 50,60",
	                       "end-R 50,50 50,60", "up-R 50,60"}));
}

TEST_F(TMouseDownManagerTest, DoubleAndTripleClicksOfEitherButton)
{
	driver::ClickAt(At(20, 20));
	driver::ClickAt(At(20, 20));
	EXPECT_EQ(Done(), (Log{"down-L 20,20", "click-L 20,20", "up-L 20,20", "double-L 20,20"}));

	// A third press in the series gives nothing; the fourth starts again.
	driver::ClickAt(At(30, 30), B_SECONDARY_MOUSE_BUTTON);
	driver::ClickAt(At(30, 30), B_SECONDARY_MOUSE_BUTTON);
	driver::ClickAt(At(30, 30), B_SECONDARY_MOUSE_BUTTON);
	driver::ClickAt(At(30, 30), B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(Done(), (Log{"down-R 30,30", "click-R 30,30", "up-R 30,30", "double-R 30,30",
	                       "down-R 30,30", "click-R 30,30", "up-R 30,30"}));
}

TEST_F(TMouseDownManagerTest, BothButtonsAtOnceAreTrackedWithoutHooks)
{
	const uint32 both = B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON;
	driver::Press(At(10, 10), both);
	driver::MoveTo(At(40, 10));
	EXPECT_TRUE(Done().empty());
	EXPECT_FALSE(view->DraggingEither()) << "a drag of neither button alone";
	driver::Release(At(40, 10), both);
	EXPECT_TRUE(Done().empty());

	// Afterwards a press starts afresh.
	driver::ClickAt(At(10, 10));
	EXPECT_EQ(Done(), (Log{"down-L 10,10", "click-L 10,10", "up-L 10,10"}));
}

TEST(TSpyFilterTest, TwoSpiesWatchingEachOtherForwardEachMessageOnce)
{
	RunningRecorder first;
	RunningRecorder second;
	{
		BAutolock lock(first.Looper());
		first->AddCommonFilter(new TSpyFilter('spy!', BMessenger(second.Looper())));
	}
	{
		BAutolock lock(second.Looper());
		second->AddCommonFilter(new TSpyFilter('spy!', BMessenger(first.Looper())));
	}
	BMessage message('spy!');
	message.AddString("text", "watched");
	first->PostMessage(&message);
	first->PostMessage('othr');

	// Each barrier also lets what the other looper sent meanwhile arrive.
	first->MessagesAfterBarrier();
	second->MessagesAfterBarrier();
	std::vector<BMessage> atFirst = first->MessagesAfterBarrier();
	std::vector<BMessage> atSecond = second->MessagesAfterBarrier();
	ASSERT_EQ(atFirst.size(), 2u);
	EXPECT_FALSE(atFirst[0].HasBool("SpySendFlag")) << "the message itself goes on unchanged";
	EXPECT_EQ(atFirst[1].what, (uint32)'othr');
	ASSERT_EQ(atSecond.size(), 1u) << "other codes are not spied on, nothing comes back";
	EXPECT_TRUE(atSecond[0].GetBool("SpySendFlag", false));
	EXPECT_STREQ(atSecond[0].GetString("text", ""), "watched");
}

} // namespace
