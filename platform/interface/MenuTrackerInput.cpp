// What the pointer, the wheel and the keys do to the open menus of a session.
#include "MenuTracker.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <MessageRunner.h>

#include "MenuPrivate.h"
#include "MenuLevelLock.h"
#include "MenuWindow.h"

namespace BPrivate {

namespace {

// How long the pointer must rest on its way to an open submenu before the item under it
// takes over, and how often a held scroll arrow scrolls.
constexpr bigtime_t kHoverDelay = 250000;
constexpr bigtime_t kAutoScrollInterval = 40000;
// How far the pointer must travel from a press before a release counts as a choice.
constexpr float kClickSlop = 3;

bool far_apart(BPoint a, BPoint b)
{
	return std::fabs(a.x - b.x) > kClickSlop || std::fabs(a.y - b.y) > kClickSlop;
}

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

// The sign of the cross product: which side of the line a-b the point p lies on.
float side(BPoint a, BPoint b, BPoint p)
{
	return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

bool in_triangle(BPoint p, BPoint a, BPoint b, BPoint c)
{
	float d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
	bool negative = d1 < 0 || d2 < 0 || d3 < 0;
	bool positive = d1 > 0 || d2 > 0 || d3 > 0;
	return !(negative && positive);
}

} // namespace

// #pragma mark - the pointer

MenuTracker::Hit MenuTracker::_HitTest(BPoint where)
{
	Hit hit;
	for (int32 level = _Deepest(); level >= 0; level--) {
		MenuLevelLock lock(fLevels[(size_t)level]);
		MenuWindow* window = lock.Window();
		if (window == nullptr || window->IsHidden() || !window->Frame().Contains(where))
			continue;
		hit.level = level;
		hit.arrow = window->ArrowAt(where);
		if (hit.arrow == 0 && lock.Menu() != nullptr)
			hit.index = lock.Menu()->ItemIndexAt(lock.Menu()->ConvertFromScreen(where));
		break;
	}
	return hit;
}

int32 MenuTracker::_TitleAt(BPoint where) const
{
	for (size_t i = 0; i < fSetup.titles.size(); i++) {
		if (fSetup.titles[i].frame.Contains(where))
			return (int32)i;
	}
	return -1;
}

void MenuTracker::_MouseDown(BPoint where)
{
	fLastPoint = where;
	fPressHeld = true;
	fOpeningPress = false;
	fEntered = false;
	fPressPoint = where;
	Hit hit = _HitTest(where);
	if (hit.level >= 0) {
		if (hit.arrow != 0) {
			_ScrollLevel(hit.level, hit.arrow);
			return;
		}
		if (hit.index >= 0) {
			fEntered = true;
			_Select(hit.level, hit.index, true);
		}
		return;
	}
	int32 title = _TitleAt(where);
	if (title >= 0 && !fSetup.field) {
		// The open title closes its menu; another title opens its own, as the first press
		// of the session did.
		if (title == fTitle && !fLevels.empty()) {
			_Dismiss();
			return;
		}
		fOpeningPress = true;
		_OpenTitle(title, false);
		return;
	}
	// Anywhere else, the menu field that opened the menu included, the menus close and the
	// press reaches nothing.
	_Dismiss();
}

void MenuTracker::_MouseMoved(BPoint where)
{
	fLastPoint = where;
	Hit hit = _HitTest(where);
	if (hit.level >= 0) {
		_SetAutoScroll(hit.arrow != 0 ? hit.level : -1, hit.arrow);
		if (hit.arrow != 0)
			return;
		if (hit.index >= 0 && fPressHeld && far_apart(where, fPressPoint))
			fEntered = true;
		_Hover(hit, where);
		return;
	}
	_SetAutoScroll(-1, 0);
	int32 title = _TitleAt(where);
	if (title >= 0 && title != fTitle && !fSetup.field) {
		_OpenTitle(title, false);
		return;
	}
	if (title < 0)
		_DeselectDeepest();
}

void MenuTracker::_MouseUp(BPoint where)
{
	fLastPoint = where;
	bool opening = fOpeningPress;
	bool entered = fEntered;
	fPressHeld = false;
	fOpeningPress = false;
	fEntered = false;
	if (opening && !entered) {
		// A click opened the menus: they stay open for the next click, unless the opener
		// asked otherwise.
		if (!fSetup.stayOpenOnClick && !fSetup.clickToOpen.Contains(where))
			_End(nullptr);
		return;
	}
	Hit hit = _HitTest(where);
	if (hit.level >= 0) {
		if (hit.index >= 0)
			_Choose(hit.level, hit.index);
		return;
	}
	int32 title = _TitleAt(where);
	if (title >= 0 && title == fTitle && fLevels.empty() && !fSetup.field) {
		// A title without a menu is an item of its own.
		const MenuBarTitle& entry = fSetup.titles[(size_t)title];
		if (entry.menu == nullptr && entry.enabled && fBarValid)
			_End(entry.item);
		return;
	}
	// Dragged out of the menus and released elsewhere: nothing is chosen.
	if (entered && title < 0)
		_End(nullptr);
}

void MenuTracker::_Hover(const Hit& hit, BPoint where)
{
	// On its way to the open submenu the pointer may cross other items; they take over
	// only once it rests.
	if (hit.level + 1 <= _Deepest() && _TowardsSubmenu(hit.level, where)) {
		fTrailPoint = where;
		BMessage timeout(kMsgMenuHoverTimeout);
		fHoverRunner =
		    std::make_unique<BMessageRunner>(BMessenger(fRoot), &timeout, kHoverDelay, 1);
		return;
	}
	fHoverRunner.reset();
	fTrailPoint = where;
	if (hit.index < 0) {
		// A separator or a disabled item: nothing is selected there, and what it had open
		// closes.
		_Select(hit.level, -1, false);
		return;
	}
	_Select(hit.level, hit.index, true);
}

bool MenuTracker::_TowardsSubmenu(int32 level, BPoint where)
{
	BRect submenu;
	{
		MenuLevelLock lock(fLevels[(size_t)level + 1]);
		if (lock.Window() == nullptr)
			return false;
		submenu = lock.Window()->Frame();
	}
	BPoint from = fTrailPoint;
	if (submenu.left >= from.x)
		return in_triangle(where, from, submenu.LeftTop(), submenu.LeftBottom());
	if (submenu.right <= from.x)
		return in_triangle(where, from, submenu.RightTop(), submenu.RightBottom());
	return false;
}

void MenuTracker::_HoverTimeout()
{
	fHoverRunner.reset();
	Hit hit = _HitTest(fLastPoint);
	if (hit.level < 0 || hit.arrow != 0)
		return;
	fTrailPoint = fLastPoint;
	_Select(hit.level, hit.index, hit.index >= 0);
}

void MenuTracker::_DeselectDeepest()
{
	if (fLevels.empty())
		return;
	MenuLevelLock lock(fLevels.back());
	if (BMenu* menu = lock.Menu())
		menu->SelectItem(nullptr);
}

// #pragma mark - scrolling

void MenuTracker::_Wheel(BMessage* message)
{
	float delta = message->GetFloat("be:wheel_delta_y", 0);
	Hit hit = _HitTest(fLastPoint);
	int32 level = hit.level >= 0 ? hit.level : _Deepest();
	if (level < 0 || delta == 0)
		return;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		if (lock.Window() == nullptr)
			return;
		lock.Window()->Scroll(delta * 3 * lock.Window()->ScrollStep());
	}
	// The items moved under a pointer that stayed.
	Hit moved = _HitTest(fLastPoint);
	if (moved.level == level && moved.arrow == 0)
		_Hover(moved, fLastPoint);
}

void MenuTracker::_ScrollLevel(int32 level, float direction)
{
	MenuLevelLock lock(fLevels[(size_t)level]);
	if (lock.Window() != nullptr)
		lock.Window()->Scroll(direction * lock.Window()->ScrollStep());
}

void MenuTracker::_SetAutoScroll(int32 level, int32 direction)
{
	if (level == fScrollLevel && direction == fScrollDirection)
		return;
	fScrollRunner.reset();
	fScrollLevel = level;
	fScrollDirection = direction;
	if (level < 0 || direction == 0)
		return;
	BMessage scroll(kMsgMenuAutoScroll);
	fScrollRunner =
	    std::make_unique<BMessageRunner>(BMessenger(fRoot), &scroll, kAutoScrollInterval);
}

void MenuTracker::_AutoScroll()
{
	if (fScrollLevel < 0 || fScrollLevel > _Deepest())
		return;
	bool moved;
	{
		MenuLevelLock lock(fLevels[(size_t)fScrollLevel]);
		moved = lock.Window() != nullptr &&
		        lock.Window()->Scroll(fScrollDirection * lock.Window()->ScrollStep());
	}
	if (!moved)
		_SetAutoScroll(-1, 0);
}

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
