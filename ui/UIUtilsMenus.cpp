// Menus, menu fields, text controls, string views and file panels: targets, emptying, and
// dividers and widths that follow the labels.
#include "UIUtils.h"

#include <cmath>

#include <FilePanel.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <StringView.h>
#include <TextControl.h>
#include <Window.h>

namespace {

float text_width(const BView* view, const char* text)
{
	return std::ceil(view->StringWidth(text != nullptr ? text : ""));
}

} // namespace

void adjust_str_view_width(BStringView* view)
{
	if (view != nullptr)
		view->ResizeTo(text_width(view, view->Text()) + 2, view->Bounds().Height());
}

void adjust_mfield_divider(BMenuField* field)
{
	if (field != nullptr)
		field->SetDivider(text_width(field, field->Label()) + 2);
}

void adjust_txt_ctrl_divider(BTextControl* control)
{
	if (control != nullptr)
		control->SetDivider(text_width(control, control->Label()) + 5);
}

status_t set_target_for_items(BMenu* menu, BHandler* target)
{
	if (menu == nullptr)
		return B_BAD_VALUE;
	// Every submenu, wherever it stands among the items, then the menu's own items.
	for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
		if (BMenu* submenu = item->Submenu())
			set_target_for_items(submenu, target);
	}
	menu->SetTargetForItems(target);
	return B_OK;
}

void delete_mfield_mitems(BMenuField* field)
{
	BMenu* menu = field != nullptr ? field->Menu() : nullptr;
	if (menu == nullptr)
		return;
	while (BMenuItem* item = menu->RemoveItem((int32)0))
		delete item;
}

status_t set_file_panel_priority(BFilePanel* panel, int32 priority)
{
	if (panel == nullptr || panel->Window() == nullptr)
		return -1;
	return set_thread_priority(panel->Window()->Thread(), priority) >= 0 ? B_OK : -1;
}
