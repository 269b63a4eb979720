#include "MenuWindow.h"

#include <algorithm>
#include <cmath>

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <Screen.h>

#include "MenuPrivate.h"
#include "MenuTracker.h"
#include "StylePainter.h"
#include "WindowPrivate.h"

namespace BPrivate {

namespace {

bool is_input(uint32 what)
{
	switch (what) {
	case B_MOUSE_DOWN:
	case B_MOUSE_UP:
	case B_MOUSE_MOVED:
	case B_MOUSE_WHEEL_CHANGED:
		return true;
	default:
		return is_focus_input(what);
	}
}

bool is_session_message(uint32 what)
{
	switch (what) {
	case kMsgMenuStart:
	case kMsgMenuEnd:
	case kMsgMenuPrune:
	case kMsgMenuAutoScroll:
	case kMsgMenuHoverTimeout:
		return true;
	default:
		return false;
	}
}

// One of the two arrows of a scrolling menu; dimmed when the menu cannot go further.
class ScrollArrow : public BView {
public:
	ScrollArrow(BRect frame, bool up)
	    : BView(frame, up ? "_scroll_up_" : "_scroll_down_", B_FOLLOW_NONE, B_WILL_DRAW), fUp(up)
	{
		SetViewColor(B_TRANSPARENT_COLOR);
	}

	void Draw(BRect) override
	{
		BRect bounds = Bounds();
		StylePainter::DrawMenuBackground(this, bounds);
		uint32 flags = CanScroll() ? 0 : StylePainter::kDisabled;
		BRect arrow(bounds.left, bounds.top + 2, bounds.right, bounds.bottom - 2);
		StylePainter::DrawArrow(this, arrow, fUp ? StylePainter::kUp : StylePainter::kDown, flags);
	}

	bool CanScroll() const
	{
		auto* window = static_cast<MenuWindow*>(Window());
		BMenu* menu = window != nullptr ? window->Menu() : nullptr;
		if (menu == nullptr)
			return false;
		float width, height;
		menu->GetPreferredSize(&width, &height);
		BRect bounds = menu->Bounds();
		return fUp ? bounds.top > 0 : bounds.bottom < height;
	}

private:
	bool fUp;
};

} // namespace

MenuWindow::MenuWindow(const char* title)
    : BWindow(BRect(0, 0, 10, 10), title, B_NO_BORDER_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL,
              B_AVOID_FOCUS | B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_RESIZABLE | B_NOT_ZOOMABLE |
                  B_NOT_MINIMIZABLE),
      fMenu(nullptr), fMinWidth(0), fMaxHeight(0), fAttaching(false)
{
	fUpArrow = new ScrollArrow(BRect(0, 0, 10, MenuMetrics::kScrollArrowHeight - 1), true);
	fDownArrow = new ScrollArrow(BRect(0, 0, 10, MenuMetrics::kScrollArrowHeight - 1), false);
	fUpArrow->Hide();
	fDownArrow->Hide();
	AddChild(fUpArrow);
	AddChild(fDownArrow);
	BRect screen = BScreen().Frame();
	fMaxHeight = screen.IsValid() ? screen.Height() : 600;
}

MenuWindow::~MenuWindow()
{
	if (fTracker != nullptr)
		fTracker->RootGone();
	fTracker.reset();
	DetachMenu();
}

void MenuWindow::SetTracker(std::unique_ptr<MenuTracker> tracker)
{
	fTracker = std::move(tracker);
	fRoot = BMessenger(this);
}

// #pragma mark - the menu

void MenuWindow::AttachMenu(BMenu* menu)
{
	if (menu == nullptr || fMenu != nullptr)
		return;
	fMenu = menu;
	menu->MoveTo(0, 0);
	fAttaching = true;
	AddChild(menu);
	fAttaching = false;
	_Fit();
}

BMenu* MenuWindow::DetachMenu()
{
	BMenu* menu = fMenu;
	if (menu == nullptr)
		return nullptr;
	RemoveChild(menu);
	fMenu = nullptr;
	return menu;
}

void MenuWindow::MenuGone(BMenu* menu)
{
	if (menu != fMenu)
		return;
	fMenu = nullptr;
	_ReportToRoot();
}

void MenuWindow::MenuLayoutChanged()
{
	if (fAttaching)
		return;
	_Fit();
	_KeepOnScreen();
	_ReportToRoot();
}

void MenuWindow::_ReportToRoot()
{
	// The root checks that every open menu still hangs from the item selected in the menu
	// before it; it may be this very window, busy with the message that caused this.
	fRoot.SendMessage(kMsgMenuPrune, (BHandler*)nullptr);
}

// #pragma mark - size and place

void MenuWindow::_Fit()
{
	if (fMenu == nullptr)
		return;
	float width, height;
	fMenu->GetPreferredSize(&width, &height);
	width = std::max(width, std::ceil(fMinWidth));
	float maxHeight = std::max(fMaxHeight, 3 * MenuMetrics::kScrollArrowHeight + 20);
	bool scrolls = height > maxHeight;
	float windowHeight = scrolls ? std::floor(maxHeight) : height;
	ResizeTo(width, windowHeight);
	if (scrolls) {
		float arrow = MenuMetrics::kScrollArrowHeight;
		fUpArrow->MoveTo(0, 0);
		fUpArrow->ResizeTo(width, arrow - 1);
		fDownArrow->MoveTo(0, windowHeight - arrow + 1);
		fDownArrow->ResizeTo(width, arrow - 1);
		if (fUpArrow->IsHidden())
			fUpArrow->Show();
		if (fDownArrow->IsHidden())
			fDownArrow->Show();
		fMenu->MoveTo(0, arrow);
		fMenu->ResizeTo(width, windowHeight - 2 * arrow);
		// Keep the scrolled position within the menu.
		float top = std::clamp(fMenu->Bounds().top, 0.0f,
		                       std::max(0.0f, height - fMenu->Bounds().Height()));
		fMenu->ScrollTo(0, top);
	} else {
		if (!fUpArrow->IsHidden())
			fUpArrow->Hide();
		if (!fDownArrow->IsHidden())
			fDownArrow->Hide();
		fMenu->MoveTo(0, 0);
		fMenu->ResizeTo(width, height);
		fMenu->ScrollTo(0, 0);
	}
	fMenu->_StretchItems(width);
	fUpArrow->Invalidate();
	fDownArrow->Invalidate();
}

void MenuWindow::_KeepOnScreen()
{
	BRect screen = BScreen().Frame();
	if (!screen.IsValid())
		return;
	BRect frame = Frame();
	float left = std::max(screen.left, std::min(frame.left, screen.right - frame.Width()));
	float top = std::max(screen.top, std::min(frame.top, screen.bottom - frame.Height()));
	MoveTo(left, top);
}

void MenuWindow::PlaceBelow(BRect anchor, float minWidth)
{
	BRect screen = BScreen().Frame();
	fMinWidth = minWidth;
	float below = screen.bottom - anchor.bottom;
	float above = anchor.top - screen.top;
	float height = 0;
	if (fMenu != nullptr)
		fMenu->GetPreferredSize(nullptr, &height);
	bool down = height + 1 <= below || below >= above;
	fMaxHeight = (down ? below : above) - 1;
	_Fit();
	float top = down ? anchor.bottom + 1 : anchor.top - 1 - Bounds().Height();
	MoveTo(anchor.left, top);
	_KeepOnScreen();
}

void MenuWindow::PlaceBeside(BRect item, BRect parent)
{
	BRect screen = BScreen().Frame();
	fMinWidth = 0;
	fMaxHeight = screen.Height();
	_Fit();
	float width = Bounds().Width();
	float left = parent.right + 1;
	if (left + width > screen.right && parent.left - 1 - width >= screen.left)
		left = parent.left - 1 - width;
	float top = item.top - MenuMetrics::kBorder - MenuMetrics::kVerticalPad;
	MoveTo(left, top);
	_KeepOnScreen();
}

void MenuWindow::PlaceAt(BPoint where)
{
	BRect screen = BScreen().Frame();
	fMinWidth = 0;
	fMaxHeight = screen.Height();
	_Fit();
	MoveTo(where);
	_KeepOnScreen();
}

// #pragma mark - scrolling

int32 MenuWindow::ArrowAt(BPoint screenPoint) const
{
	BPoint point = ConvertFromScreen(screenPoint);
	if (!fUpArrow->IsHidden() && fUpArrow->Frame().Contains(point))
		return -1;
	if (!fDownArrow->IsHidden() && fDownArrow->Frame().Contains(point))
		return 1;
	return 0;
}

bool MenuWindow::Scroll(float delta)
{
	if (fMenu == nullptr || fUpArrow->IsHidden())
		return false;
	float width, height;
	fMenu->GetPreferredSize(&width, &height);
	BRect bounds = fMenu->Bounds();
	float top = std::clamp(bounds.top + delta, 0.0f, std::max(0.0f, height - bounds.Height()));
	if (top == bounds.top)
		return false;
	fMenu->ScrollTo(0, top);
	fUpArrow->Invalidate();
	fDownArrow->Invalidate();
	return true;
}

void MenuWindow::ScrollToShow(BMenuItem* item)
{
	if (fMenu == nullptr || item == nullptr || item->Menu() != fMenu)
		return;
	BRect frame = item->Frame();
	BRect bounds = fMenu->Bounds();
	// The first and last items come with the space around them.
	float height;
	fMenu->GetPreferredSize(nullptr, &height);
	float pad = MenuMetrics::kBorder + MenuMetrics::kVerticalPad;
	if (frame.top <= pad)
		frame.top = 0;
	if (frame.bottom + pad >= height)
		frame.bottom = height;
	if (frame.top < bounds.top)
		Scroll(frame.top - bounds.top);
	else if (frame.bottom > bounds.bottom)
		Scroll(frame.bottom - bounds.bottom);
}

float MenuWindow::ScrollStep() const
{
	if (fMenu == nullptr)
		return 1;
	return StylePainter::LineHeight(fMenu) + 2 * MenuMetrics::kItemPad;
}

float MenuWindow::VisibleHeight() const
{
	return fMenu != nullptr ? fMenu->Bounds().Height() + 1 : 0;
}

// #pragma mark - input

BHandler* MenuWindow::DetermineTarget(BMessage* message, BHandler* target)
{
	// A menu's input is the session's, not its views'.
	if (target == this && (is_input(message->what) || is_session_message(message->what)))
		return this;
	return BWindow::DetermineTarget(message, target);
}

bool MenuWindow::InterceptMessage(BMessage*, BHandler*)
{
	// While a menu is open the window's shortcuts do not apply.
	return false;
}

void MenuWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler == this && (is_input(message->what) || is_session_message(message->what))) {
		if (fTracker != nullptr)
			fTracker->HandleMessage(message);
		return;
	}
	BWindow::DispatchMessage(message, handler);
}

bool MenuWindow::QuitRequested()
{
	return true;
}

} // namespace BPrivate
