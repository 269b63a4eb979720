// Input through the headless backend's real path: which view a press, a move, a key, a
// pre-edit or a drop reaches, with which fields.
#include <gtest/gtest.h>

#include <Application.h>
#include <Autolock.h>
#include <Input.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "Desktop.h"

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowTestSupport.h"

namespace {

// A window at (100, 100) of 300 x 200 pixels:
//   A (10, 10)-(149, 99) holding B (20, 20)-(59, 49);
//   C (160, 10)-(289, 99);
//   S (10, 110)-(149, 189) holding D (100, 10)-(139, 39), scrolled by 60 to the right.
class WindowInputTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 399, 299), "Input", B_TITLED_WINDOW, 0);
		a = new RecordingView(BRect(10, 10, 149, 99), "A");
		b = new RecordingView(BRect(20, 20, 59, 49), "B");
		c = new RecordingView(BRect(160, 10, 289, 99), "C");
		s = new RecordingView(BRect(10, 110, 149, 189), "S");
		d = new RecordingView(BRect(100, 10, 139, 39), "D");
		a->AddChild(b);
		s->AddChild(d);
		window->AddChild(a);
		window->AddChild(c);
		window->AddChild(s);
		s->ScrollTo(60, 0);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override { app.Quit(); }

	BPoint Screen(float x, float y) { return BPoint(100 + x, 100 + y); }

	TestApplication app;
	BWindow* window = nullptr;
	RecordingView* a = nullptr;
	RecordingView* b = nullptr;
	RecordingView* c = nullptr;
	RecordingView* s = nullptr;
	RecordingView* d = nullptr;
};

TEST_F(WindowInputTest, ClicksReachTheDeepestViewInNestedAndScrolledTrees)
{
	ASSERT_TRUE(driver::Click(b));
	ASSERT_TRUE(driver::Click(d));
	driver::ClickAt(Screen(15, 15)); // inside A, outside B
	ASSERT_EQ(driver::Sync(window), B_OK);

	ASSERT_EQ(b->Records("down").size(), 1u);
	EXPECT_EQ(b->Records("down")[0].where, BPoint(19, 14));
	EXPECT_EQ(b->Records("up").size(), 1u);
	// D lies at x 100..139 of S, which is scrolled by 60: on screen at S's left + 40.
	ASSERT_EQ(d->Records("down").size(), 1u);
	EXPECT_EQ(d->Records("down")[0].where, BPoint(19, 14));
	EXPECT_EQ(driver::ScreenCentre(d), Screen(10 + 40 + 19, 110 + 10 + 14));
	EXPECT_TRUE(s->Records("down").empty());
	ASSERT_EQ(a->Records("down").size(), 1u);
	EXPECT_EQ(a->Records("down")[0].where, BPoint(5, 5));
	EXPECT_TRUE(c->Records("down").empty());

	// The message carries the platform's fields.
	BMessage down = b->Records("down")[0].message;
	EXPECT_EQ(down.GetInt32("buttons", 0), B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(down.GetInt32("clicks", 0), 1);
	EXPECT_TRUE(down.HasInt64("when"));
	EXPECT_EQ(down.GetPoint("where", BPoint()), BPoint(20 + 10 + 19, 20 + 10 + 14));
}

TEST_F(WindowInputTest, MovesTellEnteringBeingInsideAndLeaving)
{
	driver::MoveTo(Screen(250, 150)); // over no view
	driver::MoveTo(Screen(170, 20));
	driver::MoveTo(Screen(171, 21));
	driver::MoveTo(Screen(250, 150));
	ASSERT_EQ(driver::Sync(window), B_OK);

	std::vector<InputRecord> moves = c->Records("moved");
	ASSERT_EQ(moves.size(), 3u);
	EXPECT_EQ(moves[0].transit, (uint32)B_ENTERED_VIEW);
	EXPECT_EQ(moves[0].where, BPoint(10, 10));
	EXPECT_EQ(moves[1].transit, (uint32)B_INSIDE_VIEW);
	EXPECT_EQ(moves[2].transit, (uint32)B_EXITED_VIEW);
	EXPECT_EQ(window->LastMouseMovedView(), nullptr);

	// From a child to its parent: the child is left, the parent entered.
	driver::MoveTo(Screen(35, 35)); // B
	driver::MoveTo(Screen(15, 15)); // A
	ASSERT_EQ(driver::Sync(window), B_OK);
	std::vector<InputRecord> bMoves = b->Records("moved");
	ASSERT_EQ(bMoves.size(), 2u);
	EXPECT_EQ(bMoves[1].transit, (uint32)B_EXITED_VIEW);
	ASSERT_FALSE(a->Records("moved").empty());
	EXPECT_EQ(a->Records("moved").back().transit, (uint32)B_ENTERED_VIEW);
}

TEST_F(WindowInputTest, APressGrabsThePointerUntilTheButtonsAreUp)
{
	driver::Press(Screen(35, 35)); // B
	driver::MoveTo(Screen(200, 50)); // over C
	driver::MoveTo(Screen(210, 50));
	driver::Release(Screen(210, 50));
	ASSERT_EQ(driver::Sync(window), B_OK);

	EXPECT_EQ(b->Records("down").size(), 1u);
	ASSERT_EQ(b->Records("up").size(), 1u);
	EXPECT_TRUE(c->Records("up").empty());
	// The release point is in B's coordinates, wherever it happened.
	EXPECT_EQ(b->Records("up")[0].where, BPoint(210 - 30, 50 - 30));
	// B was entered by the press, left once, and then followed outside.
	std::vector<uint32> transits;
	for (const InputRecord& record : b->Records("moved"))
		transits.push_back(record.transit);
	ASSERT_GE(transits.size(), 3u);
	EXPECT_EQ(transits[0], (uint32)B_ENTERED_VIEW);
	EXPECT_EQ(transits[1], (uint32)B_EXITED_VIEW);
	for (size_t i = 2; i < transits.size(); i++)
		EXPECT_EQ(transits[i], (uint32)B_OUTSIDE_VIEW);
	// C still sees the pointer arrive.
	ASSERT_FALSE(c->Records("moved").empty());
	EXPECT_EQ(c->Records("moved")[0].transit, (uint32)B_ENTERED_VIEW);

	// Once released, the next press goes to the view under the pointer again.
	driver::ClickAt(Screen(210, 50));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(c->Records("down").size(), 1u);
}

TEST_F(WindowInputTest, QuickPressesCountAsDoubleAndTripleClicks)
{
	ASSERT_TRUE(driver::Click(b, 3));
	ASSERT_EQ(driver::Sync(window), B_OK);
	std::vector<InputRecord> downs = b->Records("down");
	ASSERT_EQ(downs.size(), 3u);
	EXPECT_EQ(downs[0].clicks, 1);
	EXPECT_EQ(downs[1].clicks, 2);
	EXPECT_EQ(downs[2].clicks, 3);

	// Another button, or another place, starts a new series.
	driver::ClickAt(driver::ScreenCentre(b), B_SECONDARY_MOUSE_BUTTON);
	driver::ClickAt(driver::ScreenCentre(c));
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(b->Records("down").size(), 4u);
	EXPECT_EQ(b->Records("down")[3].clicks, 1);
	EXPECT_EQ(b->Records("down")[3].buttons, (uint32)B_SECONDARY_MOUSE_BUTTON);
	ASSERT_EQ(c->Records("down").size(), 1u);
	EXPECT_EQ(c->Records("down")[0].clicks, 1);
}

TEST_F(WindowInputTest, TabAndShiftTabMoveTheFocusAmongNavigableViews)
{
	auto focus = [&] {
		BAutolock lock(window);
		return window->CurrentFocus();
	};
	driver::Key(B_TAB);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(focus(), a);
	driver::Key(B_TAB);
	driver::Key(B_TAB);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(focus(), c);
	driver::Key(B_TAB, B_SHIFT_KEY);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(focus(), b);
	// Hidden views are skipped, and the order wraps around.
	{
		BAutolock lock(window);
		s->Hide();
		c->MakeFocus(true);
	}
	driver::Key(B_TAB);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(focus(), a);
	EXPECT_FALSE(b->Records("unfocus").empty());

	// A view that keeps Tab to itself stops the navigation.
	c->passKeys = false;
	{
		BAutolock lock(window);
		c->MakeFocus(true);
	}
	driver::Key(B_TAB);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(focus(), c);
}

TEST_F(WindowInputTest, KeysReachTheFocusWithEveryField)
{
	{
		BAutolock lock(window);
		c->MakeFocus(true);
	}
	driver::Type("a");
	driver::Type("é", B_SHIFT_KEY);
	driver::Backend()->InjectKeyDown(driver::KeyCodeFor('a'), 'a', "a", 0, true);
	driver::Backend()->InjectKeyDown(0x4b, 0, "", B_SHIFT_KEY, false); // Shift alone
	ASSERT_EQ(driver::Sync(window), B_OK);

	std::vector<InputRecord> keys = c->Records("key");
	ASSERT_EQ(keys.size(), 3u);
	EXPECT_EQ(keys[0].bytes, "a");
	EXPECT_EQ(keys[0].rawChar, 'a');
	EXPECT_EQ(keys[0].key, 0x3c);
	EXPECT_TRUE(keys[0].message.HasInt64("when"));
	EXPECT_EQ(keys[0].message.GetInt8("byte", 0), 'a');
	EXPECT_FALSE(keys[0].message.HasInt32("be:key_repeat"));
	EXPECT_EQ(keys[1].bytes, "é");
	EXPECT_EQ(keys[1].modifiers & B_SHIFT_KEY, B_SHIFT_KEY);
	EXPECT_EQ(keys[1].message.GetInt8("byte", 1, 0), (int8)0xa9);
	EXPECT_TRUE(keys[2].message.HasInt32("be:key_repeat"));
	EXPECT_EQ(c->Records("keyup").size(), 2u);
	// A key that types nothing is unmapped: the view's KeyDown does not see it.
	bool unmapped = false;
	for (const InputRecord& record : c->Records("message"))
		unmapped = unmapped || record.message.what == B_UNMAPPED_KEY_DOWN;
	EXPECT_TRUE(unmapped);
}

TEST_F(WindowInputTest, TheInputMethodsPreeditAndCommitReachTheFocusedTextView)
{
	// Without a focused view that takes text the input method stays off.
	EXPECT_FALSE(driver::Backend()->TextInputActive());
	{
		BAutolock lock(window);
		c->SetFlags(c->Flags() | B_INPUT_METHOD_AWARE);
		c->MakeFocus(true);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	graphics::IntRect caret;
	ASSERT_TRUE(driver::Backend()->TextInputActive(&caret));
	EXPECT_EQ(caret.left, 100 + 160);

	driver::Preedit("にほん", 3, 9);
	driver::Preedit("日本", 0, 6);
	driver::Commit("日本");
	ASSERT_EQ(driver::Sync(window), B_OK);
	std::vector<InputRecord> records = c->Records("message");
	std::vector<int32> opcodes;
	for (const InputRecord& record : records) {
		if (record.message.what == B_INPUT_METHOD_EVENT)
			opcodes.push_back(record.message.GetInt32("be:opcode", -1));
	}
	EXPECT_EQ(opcodes, (std::vector<int32>{B_INPUT_METHOD_STARTED, B_INPUT_METHOD_CHANGED,
	                                       B_INPUT_METHOD_CHANGED, B_INPUT_METHOD_CHANGED,
	                                       B_INPUT_METHOD_STOPPED}));
	const BMessage& first = records[1].message;
	EXPECT_STREQ(first.GetString("be:string", ""), "にほん");
	EXPECT_EQ(first.GetInt32("be:selection", 0, -1), 3);
	EXPECT_EQ(first.GetInt32("be:selection", 1, -1), 9);
	EXPECT_FALSE(first.GetBool("be:confirmed", true));
	const BMessage& commit = records[3].message;
	EXPECT_STREQ(commit.GetString("be:string", ""), "日本");
	EXPECT_TRUE(commit.GetBool("be:confirmed", false));

	// Text committed without a pre-edit is typed, one key per character.
	driver::Commit("あい");
	ASSERT_EQ(driver::Sync(window), B_OK);
	std::vector<InputRecord> keys = c->Records("key");
	ASSERT_EQ(keys.size(), 2u);
	EXPECT_EQ(keys[0].bytes, "あ");
	EXPECT_EQ(keys[1].bytes, "い");

	// Losing the focus turns the input method off again.
	{
		BAutolock lock(window);
		c->MakeFocus(false);
	}
	EXPECT_FALSE(driver::Backend()->TextInputActive());
}

// Starts dragging a message as soon as the pointer moves with the button down.
class DragSource : public RecordingView {
public:
	using RecordingView::RecordingView;
	void MouseDown(BPoint where) override
	{
		pressed = true;
		RecordingView::MouseDown(where);
	}
	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		if (pressed && !dragging) {
			dragging = true;
			BMessage message('drgt');
			message.AddInt32("value", 7);
			DragMessage(&message, Bounds());
		}
		RecordingView::MouseMoved(where, transit, drag);
	}
	void MouseUp(BPoint where) override
	{
		pressed = false;
		RecordingView::MouseUp(where);
	}
	bool pressed = false;
	bool dragging = false;
};

TEST_F(WindowInputTest, AMessageDraggedFromOneWindowIsDroppedOnTheViewUnderThePointer)
{
	BWindow* other = new BWindow(BRect(500, 100, 699, 299), "Other", B_TITLED_WINDOW, 0);
	RecordingView* target = new RecordingView(BRect(10, 10, 189, 189), "Target");
	other->AddChild(target);
	other->Show();
	DragSource* source = new DragSource(BRect(0, 0, 29, 29), "Source");
	{
		BAutolock lock(window);
		c->AddChild(source);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(driver::Sync(other), B_OK);

	BPoint start = driver::ScreenCentre(source);
	driver::Press(start);
	driver::MoveTo(start + BPoint(10, 0));
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::MoveTo(BPoint(600, 200));
	driver::MoveTo(BPoint(601, 201));
	driver::Release(BPoint(601, 201));
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(driver::Sync(other), B_OK);

	std::vector<InputRecord> drops = target->Records("drop");
	ASSERT_EQ(drops.size(), 1u);
	EXPECT_EQ(drops[0].message.what, (uint32)'drgt');
	EXPECT_EQ(drops[0].message.GetInt32("value", 0), 7);
	EXPECT_EQ(drops[0].where, BPoint(601, 201));
	EXPECT_FALSE(drops[0].message.HasBool("_dropped"));
	bool sawDrag = false;
	for (const InputRecord& record : target->Records("moved"))
		sawDrag = sawDrag || (record.hasDrag && record.message.what == 'drgt');
	EXPECT_TRUE(sawDrag);
	// The press's view gets its release, and nothing was dropped on the source window.
	EXPECT_EQ(source->Records("up").size(), 1u);
	EXPECT_TRUE(source->Records("drop").empty());
	EXPECT_FALSE(BPrivate::Desktop::Current()->IsDragging());
}

TEST_F(WindowInputTest, WheelGoesToTheViewUnderThePointerAndItsParents)
{
	driver::MoveTo(driver::ScreenCentre(b));
	driver::Backend()->InjectWheel(0, 3);
	ASSERT_EQ(driver::Sync(window), B_OK);
	std::vector<InputRecord> bMessages = b->Records("message");
	ASSERT_EQ(bMessages.size(), 1u);
	EXPECT_EQ(bMessages[0].message.what, (uint32)B_MOUSE_WHEEL_CHANGED);
	EXPECT_EQ(bMessages[0].message.GetFloat("be:wheel_delta_y", 0), 3);
	// B does not take it, so its parent sees it next.
	ASSERT_EQ(a->Records("message").size(), 1u);
}

} // namespace
