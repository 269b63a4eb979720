#include <MenuBar.h>

#include <cctype>

#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "MenuPrivate.h"
#include "MenuTracker.h"
#include "MenuWindow.h"
#include "WindowPrivate.h"

using BPrivate::MenuBarTitle;
using BPrivate::MenuSessionSetup;
using BPrivate::MenuTracker;

namespace {

// The item of the menu tree with this Command shortcut (key in lower case, the modifiers
// held besides Command), or null.
BMenuItem* find_shortcut(BMenu* menu, uint32 key, uint32 modifiers)
{
	const uint32 kDistinct = B_SHIFT_KEY | B_CONTROL_KEY | B_OPTION_KEY;
	for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
		uint32 itemModifiers = 0;
		char shortcut = item->Shortcut(&itemModifiers);
		if (shortcut != 0 && (uint32)tolower((unsigned char)shortcut) == key &&
		    (itemModifiers & kDistinct) == modifiers)
			return item;
		if (item->Submenu() != nullptr) {
			if (BMenuItem* found = find_shortcut(item->Submenu(), key, modifiers))
				return found;
		}
	}
	return nullptr;
}

// The window's Command shortcuts go through its key menu bar first. The program may enable
// or disable items in MenusBeginning, so the item's state counts only after it ran; a
// disabled item still takes its key, which then does nothing.
bool invoke_shortcut(BMenuBar* bar, uint32 key, uint32 modifiers)
{
	BMenuItem* item = find_shortcut(bar, key, modifiers);
	if (item == nullptr)
		return false;
	BWindow* window = bar->Window();
	if (window != nullptr)
		window->MenusBeginning();
	if (BPrivate::menu_tree_contains(bar, item) && item->IsEnabled())
		item->Invoke();
	if (window != nullptr)
		window->MenusEnded();
	return true;
}

void open_first_menu(BMenuBar* bar)
{
	bar->StartMenuBar(0, true, true);
}

struct HookInstaller {
	HookInstaller()
	{
		BPrivate::gMenuBarShortcutHook = invoke_shortcut;
		BPrivate::gMenuBarOpenHook = open_first_menu;
	}
} sHookInstaller;

bool follows_left_and_right(uint32 mode)
{
	return ((mode >> 8) & 0xf) == _VIEW_LEFT_ && (mode & 0xf) == _VIEW_RIGHT_;
}

} // namespace

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
                   bool resizeToFit)
    : BMenu(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout, resizeToFit)
{
	_InitBar();
}

BMenuBar::BMenuBar(BMessage* archive) : BMenu(archive)
{
	_InitBar();
	int32 border = B_BORDER_FRAME;
	if (archive != nullptr && archive->FindInt32("_border", &border) == B_OK &&
	    border >= B_BORDER_FRAME && border <= B_BORDER_EACH_ITEM)
		fBorder = (menu_bar_border)border;
}

BMenuBar::~BMenuBar()
{
	_AbandonSession();
	// Deleted while still in its window, the bar is detached later, when only the menu part
	// of it is left to hear it; the window must not keep a bar that is gone.
	if (Window() != nullptr && Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(nullptr);
}

void BMenuBar::_InitBar()
{
	fBorder = B_BORDER_FRAME;
	fSessionOpen = false;
	fOpenTitle = -1;
}

BArchivable* BMenuBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuBar"))
		return nullptr;
	return new BMenuBar(archive);
}

status_t BMenuBar::Archive(BMessage* archive, bool deep) const
{
	status_t status = BMenu::Archive(archive, deep);
	if (status == B_OK && fBorder != B_BORDER_FRAME)
		status = archive->AddInt32("_border", (int32)fBorder);
	return status;
}

// #pragma mark - hooks

void BMenuBar::AttachedToWindow()
{
	BMenu::AttachedToWindow();
	if (!_IsField() && Window()->KeyMenuBar() == nullptr)
		Window()->SetKeyMenuBar(this);
}

void BMenuBar::DetachedFromWindow()
{
	// The session cannot tell a bar that left its window that it ended; the window hears
	// the end of its menus now.
	_AbandonSession();
	if (fSessionOpen)
		_FinishSession();
	if (Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(nullptr);
	BMenu::DetachedFromWindow();
}

void BMenuBar::Draw(BRect updateRect)
{
	BMenu::Draw(updateRect);
}

void BMenuBar::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	int32 index = ItemIndexAt(where);
	if (index >= 0)
		_StartSession(index, true, false, true, ConvertToScreen(where));
}

void BMenuBar::WindowActivated(bool active)
{
	// Menus do not stay open over a window that lost the keyboard to another.
	if (!active && fRoot.IsValid())
		fRoot.SendMessage(BPrivate::kMsgMenuEnd, (BHandler*)nullptr);
}

void BMenuBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case BPrivate::kMsgMenuBarSelect: {
		BMessenger root;
		if (message->FindMessenger("root", &root) == B_OK && root == fRoot)
			_SetOpenTitle(message->GetInt32("index", -1));
		break;
	}
	case BPrivate::kMsgMenuSessionEnded:
		_SessionEnded(message);
		break;
	default:
		BMenu::MessageReceived(message);
		break;
	}
}

void BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
	Invalidate();
}

void BMenuBar::LayoutChanged()
{
	if (!IsResizeToFit() || Window() == nullptr)
		return;
	float width, height;
	GetPreferredSize(&width, &height);
	if (follows_left_and_right(ResizingMode()))
		width = Parent() != nullptr ? Parent()->Bounds().Width() : Window()->Bounds().Width();
	ResizeTo(width, height);
}

// #pragma mark - sessions

void BMenuBar::StartMenuBar(int32 menuIndex, bool sticky, bool showMenu, BRect* specialRect)
{
	if (!IsEnabled())
		return;
	_StartSession(menuIndex, showMenu, true, false, BPoint());
}

void BMenuBar::_GetMenuAnchor(int32 index, BRect* anchor, float* minWidth)
{
	// Below the title, past the bar's lower edge.
	BRect frame = ItemAt(index)->Frame();
	frame.bottom = Bounds().bottom;
	*anchor = ConvertToScreen(frame);
	*minWidth = 0;
}

bool BMenuBar::_StartSession(int32 index, bool showMenu, bool keyboard, bool pressHeld,
                             BPoint pressPoint)
{
	BWindow* window = Window();
	if (window == nullptr || index < 0 || index >= CountItems() || fRoot.IsValid())
		return false;
	// A session whose end never arrived (its message was lost) is over all the same.
	if (fSessionOpen)
		_FinishSession();
	window->MenusBeginning();
	// The program may have changed the items in MenusBeginning.
	if (index >= CountItems()) {
		window->MenusEnded();
		return false;
	}
	MenuSessionSetup setup;
	setup.bar = BMessenger(this);
	setup.field = _IsField();
	_Layout();
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		MenuBarTitle title;
		title.frame = ConvertToScreen(item->Frame());
		_GetMenuAnchor(i, &title.anchor, &title.minWidth);
		title.item = item;
		title.menu = item->Submenu();
		title.enabled = item->IsEnabled();
		setup.titles.push_back(title);
	}
	setup.title = index;
	setup.showMenu = showMenu;
	setup.keyboard = keyboard;
	setup.pressHeld = pressHeld;
	setup.pressPoint = pressPoint;
	// The release of this press goes to the menu now.
	if (pressHeld)
		BPrivate::WindowAccess::EndPointerGrab(window);
	fRoot = MenuTracker::StartSession(std::move(setup), Name());
	if (!fRoot.IsValid()) {
		window->MenusEnded();
		return false;
	}
	fSessionOpen = true;
	_SetOpenTitle(index);
	return true;
}

void BMenuBar::_SessionEnded(BMessage* message)
{
	BMessenger root;
	message->FindMessenger("root", &root);
	void* pointer = nullptr;
	message->FindPointer("item", &pointer);
	// The item may have left the menus while the message was on its way.
	BMenuItem* item = static_cast<BMenuItem*>(pointer);
	if (!BPrivate::menu_tree_contains(this, item))
		item = nullptr;
	if (fSessionOpen && root == fRoot)
		_FinishSession();
	if (item != nullptr)
		item->Invoke();
}

void BMenuBar::_FinishSession()
{
	fSessionOpen = false;
	fRoot = BMessenger();
	_SetOpenTitle(-1);
	if (Window() != nullptr)
		Window()->MenusEnded();
}

void BMenuBar::_AbandonSession()
{
	if (!fRoot.IsValid() || !fRoot.LockTarget())
		return;
	BLooper* looper = nullptr;
	fRoot.Target(&looper);
	if (auto* root = dynamic_cast<BPrivate::MenuWindow*>(looper)) {
		if (root->Tracker() != nullptr)
			root->Tracker()->BarChanged();
	}
	if (looper != nullptr)
		looper->Unlock();
}

void BMenuBar::_ItemListChanged()
{
	_AbandonSession();
}

void BMenuBar::_SetOpenTitle(int32 index)
{
	fOpenTitle = index;
	SelectItem(ItemAt(index));
	// A menu field's face shows pressed all over while its menu is open.
	if (_IsField())
		Invalidate();
}

B_REGISTER_ARCHIVABLE(BMenuBar);
