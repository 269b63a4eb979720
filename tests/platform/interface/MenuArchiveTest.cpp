// Menus in archived view trees: a tree holding the editor's two menu fields (radio mode, one
// with a submenu per family) round-trips through a flattened archive with every item, mark
// and message, rebuilds without duplicate children and works; damaged archives give defaults.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <SeparatorItem.h>
#include <Window.h>

#include "MenuTestSupport.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

BMessage* colour_message(int32 index)
{
	BMessage* message = new BMessage('pcol');
	message->AddInt32("Color", index);
	return message;
}

// The editor's view: a colour field (label from the mark) and a font field (label set by the
// program, families with style submenus).
BView* make_tree()
{
	BView* root = new BView(BRect(0, 0, 400, 200), "BGView", B_FOLLOW_ALL, B_WILL_DRAW);
	BPopUpMenu* colours = new BPopUpMenu("Menu");
	const char* names[] = {"文字色 (FG)", "塗りつぶし色 (BG)", "隙間色 (Gap)"};
	for (int32 i = 0; i < 3; i++)
		colours->AddItem(new BMenuItem(names[i], colour_message(i)));
	colours->AddSeparatorItem();
	BMenuItem* off = new BMenuItem("Off", new BMessage('off '), 'K', B_SHIFT_KEY);
	off->SetEnabled(false);
	colours->AddItem(off);
	colours->ItemAt(1)->SetMarked(true);
	BMenuField* colourField =
	    new BMenuField(BRect(10, 50, 152, 73), "MFieldColor", "色の指定：", colours);
	colourField->SetDivider(90);
	root->AddChild(colourField);

	BPopUpMenu* fonts = new BPopUpMenu("Menu");
	for (const char* family : {"Alpha", "Beta"}) {
		BMenu* styles = new BMenu(family);
		for (const char* style : {"Regular", "Bold"}) {
			BMessage* message = new BMessage('pffm');
			message->AddString("FontFamily", family);
			message->AddString("FontStyle", style);
			styles->AddItem(new BMenuItem(style, message));
		}
		styles->SetRadioMode(true);
		styles->ItemAt(1)->SetMarked(true);
		BMessage* message = new BMessage('pffm');
		message->AddString("FontFamily", family);
		message->AddString("FontStyle", "");
		fonts->AddItem(new BMenuItem(styles, message));
	}
	BMenuField* fontField =
	    new BMenuField(BRect(10, 20, 152, 43), "MFieldFontFamily", "フォント：", fonts);
	fonts->SetLabelFromMarked(false);
	fontField->MenuItem()->SetLabel("Beta (Bold)");
	fontField->SetDivider(90);
	root->AddChild(fontField);
	return root;
}

// Archives deeply, flattens and unflattens (as the resource does), and rebuilds.
BView* round_trip(BView* view)
{
	BMessage archive;
	if (view->Archive(&archive, true) != B_OK)
		return nullptr;
	std::vector<char> flat((size_t)archive.FlattenedSize());
	if (archive.Flatten(flat.data(), (ssize_t)flat.size()) != B_OK)
		return nullptr;
	BMessage restored;
	if (restored.Unflatten(flat.data(), (ssize_t)flat.size()) != B_OK)
		return nullptr;
	return dynamic_cast<BView*>(instantiate_object(&restored));
}

TEST(MenuArchiveTest, ATreeWithRadioModeMenuFieldsRoundTrips)
{
	std::unique_ptr<BView> original(make_tree());
	BMessage archive;
	ASSERT_EQ(original->FindView("MFieldColor")->Archive(&archive, true), B_OK);
	// The platform's field names, with the menu inside the field's bar.
	EXPECT_STREQ(archive.GetString("_label", ""), "色の指定：");
	EXPECT_EQ(archive.GetFloat("_divide", 0), 90);
	BMessage bar, title, menu, item;
	ASSERT_EQ(archive.FindMessage("_views", &bar), B_OK);
	EXPECT_STREQ(bar.GetString("_name", ""), "_mc_mb_");
	ASSERT_EQ(bar.FindMessage("_items", &title), B_OK);
	ASSERT_EQ(title.FindMessage("_submenu", &menu), B_OK);
	EXPECT_TRUE(menu.GetBool("_radio", false));
	EXPECT_TRUE(menu.GetBool("_dyn_label", false));
	EXPECT_EQ(menu.GetInt32("_layout", -1), B_ITEMS_IN_COLUMN);
	ASSERT_EQ(menu.FindMessage("_items", 1, &item), B_OK);
	EXPECT_TRUE(item.GetBool("_marked", false));
	ASSERT_EQ(menu.FindMessage("_items", 4, &item), B_OK);
	EXPECT_EQ(item.GetInt32("_shortcut", 0), 'K');
	EXPECT_TRUE(item.GetBool("_disable", false));

	std::unique_ptr<BView> rebuilt(round_trip(original.get()));
	ASSERT_NE(rebuilt, nullptr);
	auto* colourField = dynamic_cast<BMenuField*>(rebuilt->FindView("MFieldColor"));
	auto* fontField = dynamic_cast<BMenuField*>(rebuilt->FindView("MFieldFontFamily"));
	ASSERT_NE(colourField, nullptr);
	ASSERT_NE(fontField, nullptr);

	// The field found its archived bar instead of making another.
	EXPECT_EQ(colourField->CountChildren(), 1);
	EXPECT_EQ(colourField->ChildAt(0), colourField->MenuBar());
	EXPECT_STREQ(colourField->Label(), "色の指定：");
	EXPECT_EQ(colourField->Divider(), 90);
	EXPECT_EQ(colourField->Frame(), BRect(10, 50, 152, 73));
	BMenu* colours = colourField->Menu();
	ASSERT_NE(dynamic_cast<BPopUpMenu*>(colours), nullptr);
	EXPECT_TRUE(colours->IsRadioMode());
	EXPECT_TRUE(colours->IsLabelFromMarked());
	ASSERT_EQ(colours->CountItems(), 5);
	EXPECT_STREQ(colours->ItemAt(2)->Label(), "隙間色 (Gap)");
	EXPECT_EQ(colours->ItemAt(2)->Command(), 'pcol');
	EXPECT_EQ(colours->ItemAt(2)->Message()->GetInt32("Color", -1), 2);
	EXPECT_EQ(colours->FindMarked(), colours->ItemAt(1));
	EXPECT_NE(dynamic_cast<BSeparatorItem*>(colours->ItemAt(3)), nullptr);
	uint32 modifiers = 0;
	EXPECT_EQ(colours->ItemAt(4)->Shortcut(&modifiers), 'K');
	EXPECT_EQ(modifiers, (uint32)(B_SHIFT_KEY | B_COMMAND_KEY));
	EXPECT_FALSE(colours->ItemAt(4)->IsEnabled());
	EXPECT_STREQ(colourField->MenuItem()->Label(), "塗りつぶし色 (BG)");
	EXPECT_EQ(colours->Superitem(), colourField->MenuItem());

	BMenu* fonts = fontField->Menu();
	EXPECT_TRUE(fonts->IsRadioMode());
	EXPECT_FALSE(fonts->IsLabelFromMarked());
	EXPECT_STREQ(fontField->MenuItem()->Label(), "Beta (Bold)");
	ASSERT_EQ(fonts->CountItems(), 2);
	BMenu* beta = fonts->SubmenuAt(1);
	ASSERT_NE(beta, nullptr);
	EXPECT_EQ(beta->Supermenu(), fonts);
	EXPECT_STREQ(fonts->ItemAt(1)->Label(), "Beta");
	EXPECT_STREQ(fonts->ItemAt(1)->Message()->GetString("FontStyle", "?"), "");
	EXPECT_TRUE(beta->IsRadioMode());
	EXPECT_EQ(beta->FindMarkedIndex(), 1);
	EXPECT_STREQ(beta->ItemAt(1)->Message()->GetString("FontStyle", ""), "Bold");

	// Archived again, the rebuilt tree gives the same archive.
	BMessage first, second;
	ASSERT_EQ(original->Archive(&first, true), B_OK);
	ASSERT_EQ(rebuilt->Archive(&second, true), B_OK);
	EXPECT_EQ(first.FlattenedSize(), second.FlattenedSize());
}

TEST(MenuArchiveTest, ARebuiltFieldWorksInAWindow)
{
	TestApplication app;
	std::unique_ptr<BView> original(make_tree());
	BView* rebuilt = round_trip(original.get());
	ASSERT_NE(rebuilt, nullptr);
	MenuTestWindow* window = new MenuTestWindow(BRect(100, 100, 599, 399), "Rebuilt");
	RecordingView* target = new RecordingView(BRect(10, 250, 389, 289), "Target");
	window->AddChild(rebuilt);
	window->AddChild(target);
	auto* field = dynamic_cast<BMenuField*>(rebuilt->FindView("MFieldColor"));
	ASSERT_NE(field, nullptr);
	BMenu* menu = field->Menu();
	menu->SetTargetForItems(target);
	window->Show();
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::ClickAt(ItemCentre(menu->ItemAt(2)));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, 'pcol') == 1; }));
	BAutolock lock(window);
	EXPECT_STREQ(field->MenuItem()->Label(), "隙間色 (Gap)");
	EXPECT_EQ(menu->FindMarkedIndex(), 2);
}

TEST(MenuArchiveTest, DamagedArchivesGiveDefaultsInsteadOfFailing)
{
	// A field without its bar, with a divider of the wrong type: it still has a menu.
	BMessage field;
	field.AddString("class", "BMenuField");
	field.AddString("_name", "Field");
	field.AddRect("_frame", BRect(0, 0, 100, 20));
	field.AddString("_label", "L:");
	field.AddString("_divide", "ninety");
	std::unique_ptr<BMenuField> rebuiltField(dynamic_cast<BMenuField*>(instantiate_object(&field)));
	ASSERT_NE(rebuiltField, nullptr);
	ASSERT_NE(rebuiltField->Menu(), nullptr);
	EXPECT_EQ(rebuiltField->Menu()->CountItems(), 0);
	EXPECT_EQ(rebuiltField->Divider(), 50);
	EXPECT_EQ(rebuiltField->CountChildren(), 1);

	// A menu whose layout is mistyped or unknown, with items that are no items, a submenu
	// that is no menu, and fields of the wrong types.
	BMessage menu;
	menu.AddString("class", "BMenu");
	menu.AddString("_name", "Menu");
	menu.AddString("_layout", "row");
	BMessage notAnItem;
	notAnItem.AddString("class", "BView");
	notAnItem.AddString("_name", "View");
	menu.AddMessage("_items", &notAnItem);
	BMessage noClass;
	menu.AddMessage("_items", &noClass);
	BMessage item;
	item.AddString("class", "BMenuItem");
	item.AddInt32("_label", 7);
	item.AddString("_shortcut", "Q");
	item.AddMessage("_submenu", &notAnItem);
	menu.AddMessage("_items", &item);
	std::unique_ptr<BMenu> rebuiltMenu(dynamic_cast<BMenu*>(instantiate_object(&menu)));
	ASSERT_NE(rebuiltMenu, nullptr);
	EXPECT_EQ(rebuiltMenu->Layout(), B_ITEMS_IN_COLUMN);
	ASSERT_EQ(rebuiltMenu->CountItems(), 1);
	EXPECT_STREQ(rebuiltMenu->ItemAt(0)->Label(), "");
	EXPECT_EQ(rebuiltMenu->ItemAt(0)->Shortcut(), 0);
	EXPECT_EQ(rebuiltMenu->ItemAt(0)->Submenu(), nullptr);
	menu.ReplaceString("_layout", "row");
	menu.RemoveName("_layout");
	menu.AddInt32("_layout", 99);
	rebuiltMenu.reset(dynamic_cast<BMenu*>(instantiate_object(&menu)));
	ASSERT_NE(rebuiltMenu, nullptr);
	EXPECT_EQ(rebuiltMenu->Layout(), B_ITEMS_IN_COLUMN);
}

TEST(MenuArchiveTest, SubmenusNestedBeyondReasonAreCutOff)
{
	// Each level is the archive of an item whose submenu holds the next one.
	BMessage level;
	level.AddString("class", "BMenuItem");
	level.AddString("_label", "leaf");
	for (int32 depth = 0; depth < 200; depth++) {
		BMessage submenu;
		submenu.AddString("class", "BMenu");
		submenu.AddString("_name", "Deep");
		submenu.AddMessage("_items", &level);
		BMessage item;
		item.AddString("class", "BMenuItem");
		item.AddString("_label", "deeper");
		item.AddMessage("_submenu", &submenu);
		level = item;
	}
	std::unique_ptr<BMenuItem> rebuilt(dynamic_cast<BMenuItem*>(instantiate_object(&level)));
	ASSERT_NE(rebuilt, nullptr);
	int32 depth = 0;
	for (BMenu* menu = rebuilt->Submenu(); menu != nullptr; menu = menu->SubmenuAt(0))
		depth++;
	EXPECT_GT(depth, 10);
	EXPECT_LT(depth, 200);
}

} // namespace
