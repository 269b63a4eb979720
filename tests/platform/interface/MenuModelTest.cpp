// The item lists of menus without any window: adding and removing at places, finding, the
// ties between items and submenus, radio mode and the label that follows the mark, enabled
// states along a menu tree, the shortcut text, and where items lie.
#include <gtest/gtest.h>

#include <memory>

#include <MenuBar.h>
#include <Message.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <SeparatorItem.h>

#include "MenuPrivate.h"

namespace {

BMenuItem* item(const char* label, uint32 what = 0)
{
	return new BMenuItem(label, what != 0 ? new BMessage(what) : nullptr);
}

// Reaches the protected hit test.
class InspectedMenu : public BMenu {
public:
	using BMenu::BMenu;
	using BMenu::ItemIndexAt;
};

TEST(MenuModelTest, ItemsGoWhereTheyAreAddedAndComeBackOut)
{
	BMenu menu("Menu");
	BMenuItem* a = item("A");
	BMenuItem* c = item("C");
	BMenuItem* b = item("B");
	EXPECT_TRUE(menu.AddItem(a));
	EXPECT_TRUE(menu.AddItem(c));
	EXPECT_TRUE(menu.AddItem(b, 1));
	std::unique_ptr<BMenuItem> refused(item("X"));
	EXPECT_FALSE(menu.AddItem(refused.get(), -1));
	BMenuItem* last = item("D");
	EXPECT_TRUE(menu.AddItem(last, 99)); // past the end appends
	EXPECT_EQ(menu.CountItems(), 4);
	EXPECT_EQ(menu.IndexOf(b), 1);
	EXPECT_EQ(menu.ItemAt(3), last);
	EXPECT_EQ(menu.ItemAt(4), nullptr);
	EXPECT_EQ(menu.ItemAt(-1), nullptr);

	// An item belongs to one menu at a time.
	BMenu other("Other");
	EXPECT_FALSE(other.AddItem(a));
	EXPECT_FALSE(other.AddItem((BMenuItem*)nullptr));

	EXPECT_EQ(menu.RemoveItem(1), b);
	EXPECT_EQ(b->Menu(), nullptr);
	delete b;
	EXPECT_TRUE(menu.RemoveItem(c));
	EXPECT_FALSE(menu.RemoveItem(c));
	delete c;
	// Deleting an item takes it out of its menu.
	delete last;
	EXPECT_EQ(menu.CountItems(), 1);
	EXPECT_EQ(menu.ItemAt(0), a);
	EXPECT_TRUE(menu.RemoveItems(0, 100, true));
	EXPECT_EQ(menu.CountItems(), 0);
}

TEST(MenuModelTest, SubmenusHangFromTheirItemsAndAreFoundThrough)
{
	BMenu menu("Top");
	BMenu* styles = new BMenu("Styles");
	BMenuItem* bold = item("Bold", 'bold');
	styles->AddItem(item("Regular", 'regu'));
	styles->AddItem(bold);
	EXPECT_TRUE(menu.AddItem(item("Quit", 'quit')));
	EXPECT_TRUE(menu.AddItem(styles, 0));
	// The item made for the submenu carries its name.
	BMenuItem* superitem = menu.ItemAt(0);
	EXPECT_STREQ(superitem->Label(), "Styles");
	EXPECT_EQ(superitem->Submenu(), styles);
	EXPECT_EQ(styles->Superitem(), superitem);
	EXPECT_EQ(styles->Supermenu(), &menu);
	EXPECT_EQ(menu.SubmenuAt(0), styles);
	EXPECT_EQ(menu.IndexOf(styles), 0);
	EXPECT_FALSE(menu.AddItem(styles)); // it has an item already

	EXPECT_EQ(menu.FindItem("Bold"), bold);
	EXPECT_EQ(menu.FindItem('bold'), bold);
	EXPECT_EQ(menu.FindItem("Nothing"), nullptr);
	EXPECT_EQ(menu.FindItem((uint32)'none'), nullptr);

	// Removing the submenu hands it back; its item goes.
	EXPECT_TRUE(menu.RemoveItem(styles));
	EXPECT_EQ(menu.CountItems(), 1);
	EXPECT_EQ(styles->Superitem(), nullptr);
	EXPECT_EQ(styles->Supermenu(), nullptr);
	delete styles;
}

TEST(MenuModelTest, RadioModeKeepsOneMarkAndTheLabelFollowsIt)
{
	BMenuBar bar(BRect(0, 0, 100, 20), "Bar");
	BPopUpMenu* menu = new BPopUpMenu("Choose");
	bar.AddItem(menu);
	BMenuItem* title = bar.ItemAt(0);
	BMenuItem* one = item("One");
	BMenuItem* two = item("Two");
	menu->AddItem(one);
	menu->AddItem(two);
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_STREQ(title->Label(), "Choose");
	one->SetMarked(true);
	EXPECT_STREQ(title->Label(), "One");
	two->SetMarked(true);
	EXPECT_FALSE(one->IsMarked());
	EXPECT_EQ(menu->FindMarked(), two);
	EXPECT_EQ(menu->FindMarkedIndex(), 1);
	EXPECT_STREQ(title->Label(), "Two");
	// A marked item added later takes the mark.
	BMenuItem* three = item("Three");
	three->SetMarked(true);
	menu->AddItem(three);
	EXPECT_FALSE(two->IsMarked());
	EXPECT_STREQ(title->Label(), "Three");

	// Without radio mode, marks are independent and the label stays.
	menu->SetRadioMode(false);
	EXPECT_FALSE(menu->IsLabelFromMarked());
	one->SetMarked(true);
	EXPECT_TRUE(three->IsMarked());
	EXPECT_STREQ(title->Label(), "Three");
	// The label following the mark brings radio mode back and shows the first mark.
	menu->SetLabelFromMarked(true);
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_STREQ(title->Label(), "One");
}

TEST(MenuModelTest, EnabledStatesFollowTheMenuTree)
{
	BMenu top("Top");
	BMenu* sub = new BMenu("Sub");
	BMenuItem* leaf = item("Leaf");
	sub->AddItem(leaf);
	top.AddItem(sub);
	BMenuItem* superitem = top.ItemAt(0);
	// Disabling a menu disables the item that opens it, and everything inside.
	sub->SetEnabled(false);
	EXPECT_FALSE(superitem->IsEnabled());
	EXPECT_FALSE(leaf->IsEnabled());
	superitem->SetEnabled(true);
	EXPECT_TRUE(sub->IsEnabled());
	EXPECT_TRUE(leaf->IsEnabled());
	top.SetEnabled(false);
	EXPECT_FALSE(leaf->IsEnabled());
	EXPECT_EQ(leaf->Invoke(), B_NOT_ALLOWED);
	// A separator never becomes enabled.
	BSeparatorItem separator;
	separator.SetEnabled(true);
	EXPECT_FALSE(separator.IsEnabled());
}

TEST(MenuModelTest, ShortcutsReadTheLinuxWay)
{
	using BPrivate::shortcut_label;
	EXPECT_EQ(shortcut_label('q', B_COMMAND_KEY), "Ctrl+Q");
	EXPECT_EQ(shortcut_label('V', B_COMMAND_KEY | B_SHIFT_KEY), "Ctrl+Shift+V");
	EXPECT_EQ(shortcut_label(B_DELETE, B_COMMAND_KEY | B_CONTROL_KEY), "Ctrl+Alt+Del");
	EXPECT_EQ(shortcut_label(',', B_COMMAND_KEY | B_OPTION_KEY), "Ctrl+Super+,");
	EXPECT_EQ(shortcut_label(0xe3, B_COMMAND_KEY), "Ctrl+?");
	// Setting a shortcut always includes Command.
	BMenuItem quit("Quit", nullptr, 'Q');
	uint32 modifiers = 0;
	EXPECT_EQ(quit.Shortcut(&modifiers), 'Q');
	EXPECT_EQ(modifiers, (uint32)B_COMMAND_KEY);
}

TEST(MenuModelTest, ItemsOfAColumnLieOneUnderTheOtherAndAreFoundByPlace)
{
	InspectedMenu menu("Menu");
	BMenuItem* first = item("First");
	BMenuItem* disabled = item("Disabled");
	disabled->SetEnabled(false);
	BMenuItem* withShortcut = new BMenuItem("Last", nullptr, 'L');
	menu.AddItem(first);
	menu.AddSeparatorItem();
	menu.AddItem(disabled);
	menu.AddItem(withShortcut);
	float width, height;
	menu.GetPreferredSize(&width, &height);
	BRect a = first->Frame(), s = menu.ItemAt(1)->Frame(), d = disabled->Frame();
	BRect l = withShortcut->Frame();
	EXPECT_EQ(s.top, a.bottom + 1);
	EXPECT_EQ(d.top, s.bottom + 1);
	EXPECT_EQ(l.top, d.bottom + 1);
	EXPECT_LT(s.Height(), a.Height());
	EXPECT_EQ(a.left, 1);
	EXPECT_EQ(a.right, width - 1);
	EXPECT_GT(height, l.bottom);

	// Only items that can be chosen are found; separators and disabled ones are not.
	EXPECT_EQ(menu.ItemIndexAt(BPoint(10, a.top + 2)), 0);
	EXPECT_EQ(menu.ItemIndexAt(BPoint(10, s.top + 1)), -1);
	EXPECT_EQ(menu.ItemIndexAt(BPoint(10, d.top + 2)), -1);
	EXPECT_EQ(menu.ItemIndexAt(BPoint(10, l.bottom)), 3);
	EXPECT_EQ(menu.ItemIndexAt(BPoint(10, height + 5)), -1);

	// The shortcut's text widens the menu.
	InspectedMenu plain("Plain");
	plain.AddItem(item("First"));
	plain.AddItem(item("Last"));
	float plainWidth;
	plain.GetPreferredSize(&plainWidth, nullptr);
	EXPECT_LT(plainWidth, width);
}

} // namespace
