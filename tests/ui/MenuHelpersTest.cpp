// Targets for whole menu trees, emptying a menu field, and dividers and widths that follow
// labels.
#include <gtest/gtest.h>

#include <cmath>

#include <Looper.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <StringView.h>
#include <TextControl.h>

#include "UIUtils.h"

namespace {

TEST(MenuHelpersTest, EverySubmenuGetsTheTargetWhereverItStandsAmongTheItems)
{
	// A target must belong to a looper; a looper is a handler of its own.
	BLooper* looper = new BLooper("target");
	BHandler& target = *looper;
	BMenu menu("Menu");
	BMenuItem* plain = new BMenuItem("Plain", new BMessage('plan'));
	menu.AddItem(plain);
	BMenu* family = new BMenu("Family");
	BMenuItem* style = new BMenuItem("Style", new BMessage('styl'));
	family->AddItem(style);
	BMenu* deeper = new BMenu("Deeper");
	BMenuItem* deep = new BMenuItem("Deep", new BMessage('deep'));
	deeper->AddItem(deep);
	family->AddItem(deeper);
	// The first item has no submenu: a walk that stopped there would miss the rest.
	menu.AddItem(family);
	EXPECT_EQ(set_target_for_items(&menu, &target), B_OK);
	EXPECT_EQ(plain->Target(), &target);
	EXPECT_EQ(style->Target(), &target);
	EXPECT_EQ(deep->Target(), &target);
	EXPECT_EQ(set_target_for_items(nullptr, &target), B_BAD_VALUE);
	looper->Quit();
}

TEST(MenuHelpersTest, AMenuFieldIsEmptiedAndDividersFollowTheLabels)
{
	BPopUpMenu* menu = new BPopUpMenu("Menu");
	for (const char* label : {"文字色 (FG)", "塗りつぶし色 (BG)", "隙間色 (Gap)"})
		menu->AddItem(new BMenuItem(label, nullptr));
	BMenuField field(BRect(10, 50, 152, 73), "MFieldColor", "色の指定：", menu);
	delete_mfield_mitems(&field);
	EXPECT_EQ(field.Menu()->CountItems(), 0);

	adjust_mfield_divider(&field);
	EXPECT_EQ(field.Divider(), std::ceil(field.StringWidth("色の指定：")) + 2);
	BTextControl text(BRect(10, 10, 310, 32), "TxtCtrlDisplayText", "テキスト：", "", nullptr);
	adjust_txt_ctrl_divider(&text);
	EXPECT_EQ(text.Divider(), std::ceil(text.StringWidth("テキスト：")) + 5);
	BStringView caption(BRect(16, 155, 116, 175), "StrViewColorPreview",
	                    "選択された色（お気に入りにドロップで登録）");
	adjust_str_view_width(&caption);
	EXPECT_EQ(caption.Frame().Width(),
	          std::ceil(caption.StringWidth("選択された色（お気に入りにドロップで登録）")) + 2);
	EXPECT_EQ(caption.Frame().Height(), 20);
	EXPECT_EQ(set_file_panel_priority(nullptr, 10), -1);
}

} // namespace
