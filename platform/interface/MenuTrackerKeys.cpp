// What the keys do to the open menus of a session.
#include "MenuTracker.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>

#include "MenuLevelLock.h"
#include "MenuWindow.h"

namespace BPrivate {

namespace {

// The letter that chooses an item from the keyboard: the one set, else a letter in
// parentheses ("Quit(Q)", "About(A)..."), the Linux way of marking it in a label.
uint32 trigger_of(BMenuItem* item)
{
	if (item->Trigger() != 0)
		return (uint32)tolower((unsigned char)item->Trigger());
	const char* label = item->Label();
	const char* found = nullptr;
	for (const char* p = strchr(label, '('); p != nullptr; p = strchr(p + 1, '(')) {
		if (p[1] != '\0' && (unsigned char)p[1] < 0x80 && p[2] == ')')
			found = p + 1;
	}
	return found != nullptr ? (uint32)tolower((unsigned char)*found) : 0;
}

} // namespace

// #pragma mark - keys

void MenuTracker::_KeyDown(BMessage* message)
{
	const char* bytes = message->GetString("bytes", "");
	int32 key = message->GetInt32("key", 0);
	int32 modifiers = message->GetInt32("modifiers", 0);
	int32 deepest = _Deepest();
	switch ((unsigned char)bytes[0]) {
	case B_FUNCTION_KEY:
		if (key == B_F10_KEY)
			_End(nullptr);
		return;
	case B_ESCAPE:
		if (deepest > 0)
			_CloseFrom((size_t)deepest);
		else
			_End(nullptr);
		return;
	case B_UP_ARROW:
	case B_DOWN_ARROW: {
		int32 step = bytes[0] == B_UP_ARROW ? -1 : 1;
		if (deepest < 0) {
			if (fTitle >= 0)
				_OpenTitle(fTitle, true);
			return;
		}
		_Step(deepest, step);
		return;
	}
	case B_HOME:
	case B_END:
		if (deepest >= 0)
			_Jump(deepest, bytes[0] == B_HOME ? 0 : -1, bytes[0] == B_HOME ? 1 : -1);
		return;
	case B_PAGE_UP:
	case B_PAGE_DOWN: {
		if (deepest < 0)
			return;
		int32 page;
		int32 current;
		{
			MenuLevelLock lock(fLevels[(size_t)deepest]);
			if (lock.Menu() == nullptr)
				return;
			page = std::max(
			    1, (int32)(lock.Window()->VisibleHeight() / lock.Window()->ScrollStep()) - 1);
			current = std::max(0, lock.Menu()->IndexOf(lock.Menu()->SelectedItem()));
		}
		int32 direction = bytes[0] == B_PAGE_UP ? -1 : 1;
		_Jump(deepest, current + direction * page, direction);
		return;
	}
	case B_LEFT_ARROW:
		if (deepest > 0)
			_CloseFrom((size_t)deepest);
		else
			_NextTitle(-1);
		return;
	case B_RIGHT_ARROW: {
		if (deepest >= 0) {
			int32 index = -1;
			{
				MenuLevelLock lock(fLevels[(size_t)deepest]);
				BMenu* menu = lock.Menu();
				BMenuItem* item = menu != nullptr ? menu->SelectedItem() : nullptr;
				if (item != nullptr && item->Submenu() != nullptr)
					index = menu->IndexOf(item);
			}
			if (index >= 0) {
				_Select(deepest, index, true, true);
				return;
			}
		}
		_NextTitle(1);
		return;
	}
	case B_ENTER:
	case B_SPACE: {
		if (deepest < 0) {
			if (fTitle >= 0) {
				const MenuBarTitle& entry = fSetup.titles[(size_t)fTitle];
				if (entry.menu == nullptr && entry.enabled && fBarValid)
					_End(entry.item);
				else
					_OpenTitle(fTitle, true);
			}
			return;
		}
		int32 index = -1;
		{
			MenuLevelLock lock(fLevels[(size_t)deepest]);
			if (BMenu* menu = lock.Menu())
				index = menu->IndexOf(menu->SelectedItem());
		}
		if (index >= 0)
			_Choose(deepest, index);
		return;
	}
	default:
		break;
	}
	if ((modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0)
		_ChooseByTrigger((uint32)message->GetInt32("raw_char", 0));
}

void MenuTracker::_Step(int32 level, int32 step)
{
	int32 next;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		BMenu* menu = lock.Menu();
		if (menu == nullptr)
			return;
		int32 current = menu->IndexOf(menu->SelectedItem());
		if (current < 0)
			current = step > 0 ? -1 : menu->CountItems();
		next = menu->_NextSelectable(current, step);
	}
	if (next >= 0)
		_Select(level, next, false);
}

void MenuTracker::_Jump(int32 level, int32 target, int32 direction)
{
	int32 found = -1;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		BMenu* menu = lock.Menu();
		if (menu == nullptr || menu->CountItems() == 0)
			return;
		int32 count = menu->CountItems();
		if (target < 0)
			target = count - 1;
		target = std::min(target, count - 1);
		// The nearest item that can be selected, first beyond the target, then before it.
		for (int32 i = target; i >= 0 && i < count && found < 0; i += direction) {
			if (BMenu::_IsSelectable(menu->ItemAt(i)))
				found = i;
		}
		for (int32 i = target; i >= 0 && i < count && found < 0; i -= direction) {
			if (BMenu::_IsSelectable(menu->ItemAt(i)))
				found = i;
		}
	}
	if (found >= 0)
		_Select(level, found, false);
}

void MenuTracker::_NextTitle(int32 step)
{
	int32 count = (int32)fSetup.titles.size();
	if (fSetup.field || count < 2 || fTitle < 0)
		return;
	int32 title = fTitle;
	for (int32 tries = 0; tries < count; tries++) {
		title = ((title + step) % count + count) % count;
		if (fSetup.titles[(size_t)title].enabled)
			break;
	}
	if (title == fTitle)
		return;
	// A bar that only shows its highlighted title keeps it so; an open menu moves along.
	if (fLevels.empty()) {
		fTitle = title;
		_NotifyBar(title);
		return;
	}
	_OpenTitle(title, true);
}

void MenuTracker::_Choose(int32 level, int32 index)
{
	BMenuItem* chosen = nullptr;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		BMenu* menu = lock.Menu();
		BMenuItem* item = menu != nullptr ? menu->ItemAt(index) : nullptr;
		if (!BMenu::_IsSelectable(item))
			return;
		if (item->Submenu() == nullptr || item->Message() != nullptr)
			chosen = item;
	}
	// An item that only opens a submenu is not chosen; its submenu opens.
	if (chosen == nullptr) {
		_Select(level, index, true, true);
		return;
	}
	if (fSetup.popUp == nullptr && !fBarValid)
		chosen = nullptr;
	_End(chosen);
}

void MenuTracker::_ChooseByTrigger(uint32 character)
{
	int32 deepest = _Deepest();
	if (deepest < 0 || character == 0 || character >= 0x80)
		return;
	character = (uint32)tolower((int)character);
	int32 index = -1;
	{
		MenuLevelLock lock(fLevels[(size_t)deepest]);
		BMenu* menu = lock.Menu();
		if (menu == nullptr || !menu->AreTriggersEnabled())
			return;
		for (int32 i = 0; i < menu->CountItems() && index < 0; i++) {
			BMenuItem* item = menu->ItemAt(i);
			if (BMenu::_IsSelectable(item) && trigger_of(item) == character)
				index = i;
		}
	}
	if (index >= 0) {
		_Select(deepest, index, false);
		_Choose(deepest, index);
	}
}

} // namespace BPrivate
