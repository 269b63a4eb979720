// What the pointer and the wheel do to the open menus of a session.
#include "MenuTracker.h"

#include <cmath>

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <MessageRunner.h>

#include "MenuLevelLock.h"
#include "MenuPrivate.h"
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

} // namespace BPrivate
