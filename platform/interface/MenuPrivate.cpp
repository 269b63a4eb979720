// Helpers the menu classes share: the text of a Command shortcut as Linux programs show it,
// and whether an item still belongs to a menu tree.
#include <cctype>

#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuItem.h>

#include "MenuPrivate.h"

namespace BPrivate {

std::string shortcut_label(uint32 key, uint32 modifiers)
{
	std::string text;
	if ((modifiers & B_COMMAND_KEY) != 0)
		text += "Ctrl+";
	if ((modifiers & B_CONTROL_KEY) != 0)
		text += "Alt+";
	if ((modifiers & B_SHIFT_KEY) != 0)
		text += "Shift+";
	if ((modifiers & B_OPTION_KEY) != 0)
		text += "Super+";
	switch (key) {
	case B_BACKSPACE:
		return text + "Backspace";
	case B_TAB:
		return text + "Tab";
	case B_ENTER:
		return text + "Enter";
	case B_SPACE:
		return text + "Space";
	case B_ESCAPE:
		return text + "Esc";
	case B_DELETE:
		return text + "Del";
	case B_INSERT:
		return text + "Ins";
	case B_HOME:
		return text + "Home";
	case B_END:
		return text + "End";
	case B_PAGE_UP:
		return text + "PgUp";
	case B_PAGE_DOWN:
		return text + "PgDown";
	case B_LEFT_ARROW:
		return text + "Left";
	case B_RIGHT_ARROW:
		return text + "Right";
	case B_UP_ARROW:
		return text + "Up";
	case B_DOWN_ARROW:
		return text + "Down";
	default:
		break;
	}
	// A byte outside ASCII is part of a character, which a single-byte shortcut cannot name.
	if (key >= 0x80 || key < 0x20)
		return text + "?";
	return text + (char)toupper((int)key);
}

bool menu_tree_contains(BMenu* menu, BMenuItem* item)
{
	if (menu == nullptr || item == nullptr)
		return false;
	for (int32 i = 0; BMenuItem* candidate = menu->ItemAt(i); i++) {
		if (candidate == item || menu_tree_contains(candidate->Submenu(), item))
			return true;
	}
	return false;
}

} // namespace BPrivate
