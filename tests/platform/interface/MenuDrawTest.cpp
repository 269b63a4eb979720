// What an open menu shows: the check mark left of a marked item, the arrow of an item with a
// submenu, and the shortcut at the right in a dimmer colour than the label.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include "MenuTestSupport.h"

namespace {

using namespace menutest;

// The darkest pixel of a screen rectangle inside the window, as the sum of its channels.
int32 darkest(BWindow* window, BRect screen)
{
	BRect local = window->ConvertFromScreen(screen);
	int32 result = 3 * 255;
	for (int32 y = (int32)local.top; y <= (int32)local.bottom; y++) {
		for (int32 x = (int32)local.left; x <= (int32)local.right; x++) {
			rgb_color pixel = driver::PixelAt(window, x, y);
			result = std::min(result, pixel.red + pixel.green + pixel.blue);
		}
	}
	return result;
}

class MenuDrawTest : public MenuFieldFixture {};

TEST_F(MenuDrawTest, MarksArrowsAndShortcutsShow)
{
	BPopUpMenu* menu = new BPopUpMenu("Menu");
	BMenuItem* plain = new BMenuItem("Plain", nullptr);
	BMenuItem* marked = new BMenuItem("Marked", nullptr);
	BMenuItem* shortcut = new BMenuItem("Open", nullptr, 'O');
	BMenu* styles = new BMenu("Styles");
	styles->AddItem(new BMenuItem("Bold", nullptr));
	menu->AddItem(plain);
	menu->AddItem(marked);
	menu->AddItem(shortcut);
	menu->AddItem(styles);
	marked->SetMarked(true);
	ShowField(menu, BRect(10, 10, 250, 33), "Field", "Menu:");
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	BWindow* open = WaitOpen(menu);
	ASSERT_NE(open, nullptr);

	auto column = [](BMenuItem* item, float from, float to) {
		BRect frame = ItemScreenFrame(item);
		return BRect(frame.left + from, frame.top + 2, frame.left + to, frame.bottom - 2);
	};
	// The mark column: dark where the mark is, plain background elsewhere.
	int32 background = darkest(open, column(plain, 2, 18));
	EXPECT_LT(darkest(open, column(marked, 2, 18)), background - 200);
	// The arrow stands in the column at the right of the item with the submenu only.
	BRect frame = ItemScreenFrame(shortcut);
	BRect right(frame.right - 14, frame.top + 2, frame.right - 4, frame.bottom - 2);
	EXPECT_EQ(darkest(open, right), background);
	BRect styleFrame = ItemScreenFrame(menu->ItemAt(3));
	EXPECT_LT(darkest(open, BRect(frame.right - 14, styleFrame.top + 2, frame.right - 4,
	                              styleFrame.bottom - 2)),
	          background - 200);
	// The shortcut, right of the label, is drawn lighter than the label.
	int32 label = darkest(open, column(shortcut, 20, 50));
	int32 keys = darkest(open, BRect(frame.right - 60, frame.top, frame.right - 20, frame.bottom));
	EXPECT_LT(keys, background - 100);
	EXPECT_GT(keys, label + 100);
}

} // namespace
