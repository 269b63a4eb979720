// A menu of thousands of items, taller than the screen: it opens within the screen, draws
// only what shows, and scrolls by the keys, the wheel and its arrows.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

#include <Autolock.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "MenuTestSupport.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

std::atomic<int32> sDraws{0};

// An item that counts how often it is drawn.
class CountingItem : public BMenuItem {
public:
	CountingItem(const char* label, BMessage* message) : BMenuItem(label, message) {}

protected:
	void Draw() override
	{
		sDraws++;
		BMenuItem::Draw();
	}
};

const int32 kCount = 3000;

class MenuScrollTest : public MenuFieldFixture {
protected:
	void SetUp() override
	{
		menu = new BPopUpMenu("Menu");
		for (int32 i = 0; i < kCount; i++) {
			char label[32];
			snprintf(label, sizeof(label), "Family %04d", (int)i);
			BMessage* message = new BMessage('pffm');
			message->AddInt32("index", i);
			items.push_back(new CountingItem(label, message));
			menu->AddItem(items.back());
		}
		ShowField(menu, BRect(10, 10, 250, 33), "Fonts", "Font:");
		driver::Backend()->SetScreenSize(800, 600);
	}

	// The menu's scrolled position (the top of its visible part).
	float ScrollTop()
	{
		SyncMenus(menu);
		if (!menu->LockLooper())
			return -1;
		float top = menu->Bounds().top;
		menu->UnlockLooper();
		return top;
	}

	// Whether all of the item shows in the menu's window.
	bool Shown(BMenuItem* item)
	{
		SyncMenus(menu);
		if (!menu->LockLooper())
			return false;
		BRect visible = menu->ConvertToScreen(menu->Bounds());
		BRect frame = menu->ConvertToScreen(item->Frame());
		menu->UnlockLooper();
		return visible.Contains(frame);
	}

	BPopUpMenu* menu = nullptr;
	std::vector<BMenuItem*> items;
};

TEST_F(MenuScrollTest, ALongMenuOpensWithinTheScreenAndDrawsOnlyWhatShows)
{
	sDraws = 0;
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	BWindow* open = WaitOpen(menu);
	ASSERT_NE(open, nullptr);
	BRect frame = open->Frame();
	EXPECT_EQ(frame.top, 134);
	EXPECT_EQ(frame.bottom, 599);
	EXPECT_TRUE(Shown(items[0]));
	EXPECT_FALSE(Shown(items[100]));
	// A few dozen items show; only they were drawn.
	EXPECT_GT(sDraws, 0);
	EXPECT_LT(sDraws, 100);
}

TEST_F(MenuScrollTest, KeysKeepTheSelectedItemInView)
{
	{
		BAutolock lock(window);
		field->MakeFocus(true);
	}
	driver::Key(B_DOWN_ARROW);
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::Key(B_END);
	EXPECT_TRUE(IsSelected(items[kCount - 1]));
	EXPECT_TRUE(Shown(items[kCount - 1]));
	EXPECT_FALSE(Shown(items[0]));
	driver::Key(B_PAGE_UP);
	EXPECT_FALSE(IsSelected(items[kCount - 1]));
	driver::Key(B_HOME);
	EXPECT_TRUE(IsSelected(items[0]));
	EXPECT_EQ(ScrollTop(), 0);
	// Up from the first item wraps to the last, which comes into view.
	driver::Key(B_UP_ARROW);
	EXPECT_TRUE(Shown(items[kCount - 1]));
	driver::Key(B_ENTER);
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, 'pffm') == 1; }));
	EXPECT_EQ(target->Records("message")[0].message.GetInt32("index", -1), kCount - 1);
}

TEST_F(MenuScrollTest, TheWheelAndTheArrowsScrollAndClicksFindTheScrolledItems)
{
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	BWindow* open = WaitOpen(menu);
	ASSERT_NE(open, nullptr);
	BRect frame = open->Frame();
	BPoint middle((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
	driver::MoveTo(middle);
	driver::Backend()->InjectWheel(0, 5);
	float top = ScrollTop();
	EXPECT_GT(top, 0);
	EXPECT_FALSE(Shown(items[0]));

	// A press on the upper arrow scrolls back a step.
	driver::ClickAt(BPoint(middle.x, frame.top + 4));
	float back = ScrollTop();
	EXPECT_LT(back, top);
	// Moving away from the arrow stops it.
	driver::MoveTo(middle);
	float stopped = ScrollTop();
	EXPECT_EQ(ScrollTop(), stopped);

	// The item under the pointer is the one that is chosen, wherever the menu scrolled.
	int32 expected = -1;
	for (int32 i = 0; i < kCount && expected < 0; i++) {
		if (ItemScreenFrame(items[i]).Contains(middle))
			expected = i;
	}
	ASSERT_GT(expected, 0);
	driver::ClickAt(middle);
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, 'pffm') == 1; }));
	EXPECT_EQ(target->Records("message")[0].message.GetInt32("index", -1), expected);
}

} // namespace
