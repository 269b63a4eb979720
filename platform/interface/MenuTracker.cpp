// The life of a menu session: starting, opening and closing the levels of menus, and the end
// that hands the chosen item back. The pointer and the keys live in
// MenuTrackerPointer.cpp and MenuTrackerKeys.cpp.
#include "MenuTracker.h"

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <MessageRunner.h>

#include "Desktop.h"
#include "MenuPrivate.h"
#include "MenuLevelLock.h"
#include "MenuWindow.h"
#include "WindowPrivate.h"

namespace BPrivate {

namespace {

// The root of the session that has the input grab, so that a new session ends it.
std::mutex sCurrentLock;
BMessenger sCurrent;

} // namespace

MenuTracker::MenuTracker(MenuWindow* root, MenuSessionSetup setup)
    : fRoot(root), fSetup(std::move(setup)), fTitle(fSetup.title), fBarValid(true), fOver(false),
      fDismissed(false), fPressHeld(fSetup.pressHeld), fOpeningPress(fSetup.pressHeld),
      fEntered(false), fPressPoint(fSetup.pressPoint), fLastPoint(fSetup.pressPoint),
      fTrailPoint(fSetup.pressPoint), fScrollLevel(-1), fScrollDirection(0)
{
}

MenuTracker::~MenuTracker() = default;

BMessenger MenuTracker::StartSession(MenuSessionSetup setup, const char* name)
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return BMessenger();
	// The window is locked by this thread until it runs.
	MenuWindow* root = new MenuWindow(name != nullptr ? name : "");
	root->SetTracker(std::make_unique<MenuTracker>(root, std::move(setup)));
	BMessenger messenger(root);
	{
		std::lock_guard<std::mutex> lock(sCurrentLock);
		if (sCurrent.IsValid())
			sCurrent.SendMessage(kMsgMenuEnd, (BHandler*)nullptr);
		sCurrent = messenger;
	}
	// The grab comes first, so that no event of the user's slips past the menus.
	desktop->SetInputGrab(WindowAccess::BackendId(root));
	root->PostMessage(kMsgMenuStart);
	root->Run();
	return messenger;
}

void MenuTracker::HandleMessage(BMessage* message)
{
	if (fOver)
		return;
	BPoint where;
	if (message->FindPoint("screen_where", &where) != B_OK)
		where = fLastPoint;
	if (fDismissed) {
		if (message->what == kMsgMenuEnd ||
		    (message->what == B_MOUSE_UP && message->GetInt32("buttons", 0) == 0))
			_End(nullptr);
		return;
	}
	switch (message->what) {
	case kMsgMenuStart:
		_Start();
		break;
	case kMsgMenuEnd:
		_End(nullptr);
		break;
	case kMsgMenuPrune:
		_Prune();
		break;
	case kMsgMenuAutoScroll:
		_AutoScroll();
		break;
	case kMsgMenuHoverTimeout:
		_HoverTimeout();
		break;
	case B_MOUSE_DOWN:
		_MouseDown(where);
		break;
	case B_MOUSE_MOVED:
		_MouseMoved(where);
		break;
	case B_MOUSE_UP:
		if (message->GetInt32("buttons", 0) == 0)
			_MouseUp(where);
		break;
	case B_MOUSE_WHEEL_CHANGED:
		_Wheel(message);
		break;
	case B_KEY_DOWN:
		_KeyDown(message);
		break;
	default:
		break;
	}
}

void MenuTracker::BarChanged()
{
	fBarValid = false;
	if (!fOver)
		fRoot->PostMessage(kMsgMenuEnd);
}

void MenuTracker::RootGone()
{
	_End(nullptr, true);
}

// #pragma mark - levels

void MenuTracker::_Start()
{
	if (fSetup.popUp != nullptr) {
		BMenu* menu = fSetup.popUp;
		if (menu->Window() != nullptr || menu->Parent() != nullptr) {
			_End(nullptr);
			return;
		}
		fRoot->AttachMenu(menu);
		fRoot->PlaceAt(fSetup.where);
		fLevels.push_back(BMessenger(fRoot));
		if (fSetup.keyboard)
			_SelectInitial(0);
		fRoot->Show();
		return;
	}
	if (fTitle < 0 || fTitle >= (int32)fSetup.titles.size()) {
		_End(nullptr);
		return;
	}
	if (fSetup.showMenu)
		_OpenTitle(fTitle, fSetup.keyboard);
	else
		_NotifyBar(fTitle);
}

void MenuTracker::_OpenTitle(int32 title, bool selectItem)
{
	if (!fBarValid) {
		_End(nullptr);
		return;
	}
	_CloseFrom(0);
	fTitle = title;
	_NotifyBar(title);
	const MenuBarTitle& entry = fSetup.titles[(size_t)title];
	BMenu* menu = entry.menu;
	// A menu that some other window shows already is left where it is.
	if (menu == nullptr || !entry.enabled || menu->Window() != nullptr || menu->Parent() != nullptr)
		return;
	fRoot->AttachMenu(menu);
	fRoot->PlaceBelow(entry.anchor, entry.minWidth);
	fLevels.push_back(BMessenger(fRoot));
	if (selectItem)
		_SelectInitial(0);
	if (fRoot->IsHidden())
		fRoot->Show();
}

void MenuTracker::_SelectInitial(int32 level)
{
	int32 index = -1;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		BMenu* menu = lock.Menu();
		if (menu == nullptr)
			return;
		// A menu field opens on its marked item, any other menu on its first item.
		if (fSetup.field && level == 0)
			index = menu->FindMarkedIndex();
		if (index < 0 || !BMenu::_IsSelectable(menu->ItemAt(index)))
			index = menu->_NextSelectable(-1, 1);
	}
	if (index >= 0)
		_Select(level, index, false);
}

void MenuTracker::_OpenSubmenu(int32 level, bool selectItem)
{
	MenuLevelLock lock(fLevels[(size_t)level]);
	BMenu* menu = lock.Menu();
	BMenuItem* item = menu != nullptr ? menu->SelectedItem() : nullptr;
	if (item == nullptr || item->Submenu() == nullptr || !item->IsEnabled() ||
	    (size_t)level + 1 != fLevels.size())
		return;
	BMenu* submenu = item->Submenu();
	if (submenu->Window() != nullptr || submenu->Parent() != nullptr)
		return;
	BRect itemFrame = menu->ConvertToScreen(item->Frame());
	BRect parentFrame = lock.Window()->Frame();
	// Created locked by this thread; it runs (and unlocks) when shown.
	MenuWindow* window = new MenuWindow(submenu->Name() != nullptr ? submenu->Name() : "");
	window->SetRoot(BMessenger(fRoot));
	window->AttachMenu(submenu);
	window->PlaceBeside(itemFrame, parentFrame);
	if (selectItem) {
		BMenuItem* first = submenu->ItemAt(submenu->_NextSelectable(-1, 1));
		submenu->SelectItem(first);
	}
	fLevels.push_back(BMessenger(window));
	window->Show();
}

void MenuTracker::_CloseFrom(size_t level)
{
	while (fLevels.size() > level) {
		size_t deepest = fLevels.size() - 1;
		if (fScrollLevel >= (int32)deepest)
			_SetAutoScroll(-1, 0);
		if (deepest == 0) {
			fRoot->DetachMenu();
			if (!fRoot->IsHidden())
				fRoot->Hide();
		} else if (fLevels[deepest].LockTarget()) {
			BLooper* looper = nullptr;
			fLevels[deepest].Target(&looper);
			if (auto* window = dynamic_cast<MenuWindow*>(looper)) {
				window->DetachMenu();
				// Returns once the window is gone; its thread needs no other lock.
				window->Quit();
			} else if (looper != nullptr) {
				looper->Unlock();
			}
		}
		fLevels.pop_back();
	}
}

void MenuTracker::_Prune()
{
	if (fLevels.empty())
		return;
	if (fRoot->Menu() == nullptr) {
		// The menu of the root went; a bar's session has nothing left to show.
		_End(nullptr);
		return;
	}
	for (size_t level = 1; level < fLevels.size(); level++) {
		BMenuItem* selected = nullptr;
		{
			MenuLevelLock parent(fLevels[level - 1]);
			if (BMenu* menu = parent.Menu())
				selected = menu->SelectedItem();
		}
		bool attached = false;
		{
			MenuLevelLock lock(fLevels[level]);
			BMenu* menu = lock.Menu();
			attached = menu != nullptr && selected != nullptr && menu->Superitem() == selected;
		}
		if (!attached) {
			_CloseFrom(level);
			return;
		}
	}
}

void MenuTracker::_Select(int32 level, int32 index, bool openSubmenu, bool selectInSubmenu)
{
	if (level < 0 || level > _Deepest())
		return;
	{
		MenuLevelLock lock(fLevels[(size_t)level]);
		BMenu* menu = lock.Menu();
		if (menu == nullptr)
			return;
		BMenuItem* item = menu->ItemAt(index);
		if (item != menu->SelectedItem()) {
			// Deeper windows are locked after this one, as always.
			_CloseFrom((size_t)level + 1);
			menu->SelectItem(item);
			lock.Window()->ScrollToShow(item);
		}
	}
	if (openSubmenu)
		_OpenSubmenu(level, selectInSubmenu);
}

void MenuTracker::_NotifyBar(int32 title)
{
	if (fSetup.popUp != nullptr)
		return;
	BMessage message(kMsgMenuBarSelect);
	message.AddMessenger("root", BMessenger(fRoot));
	message.AddInt32("index", title);
	fSetup.bar.SendMessage(&message, (BHandler*)nullptr, 0);
}

void MenuTracker::_Dismiss()
{
	fDismissed = true;
	fHoverRunner.reset();
	_SetAutoScroll(-1, 0);
	_CloseFrom(0);
}

void MenuTracker::_End(BMenuItem* chosen, bool rootGoing)
{
	if (fOver)
		return;
	fOver = true;
	fHoverRunner.reset();
	fScrollRunner.reset();
	_CloseFrom(0);
	if (Desktop* desktop = Desktop::Current())
		desktop->ReleaseInputGrab(WindowAccess::BackendId(fRoot));
	{
		std::lock_guard<std::mutex> lock(sCurrentLock);
		if (sCurrent == BMessenger(fRoot))
			sCurrent = BMessenger();
	}

	if (fSetup.popUp != nullptr) {
		// The pop-up menu is no longer shown; the item must still be one of its own.
		if (chosen != nullptr && !menu_tree_contains(fSetup.popUp, chosen))
			chosen = nullptr;
		if (fSetup.async) {
			if (chosen != nullptr && fSetup.deliversMessage)
				chosen->_Invoke(nullptr, fSetup.defaultTarget);
			if (fSetup.autoDelete)
				delete fSetup.popUp;
		}
		if (fSetup.go != nullptr) {
			std::lock_guard<std::mutex> lock(fSetup.go->lock);
			fSetup.go->done = true;
			fSetup.go->item = fSetup.async ? nullptr : chosen;
			fSetup.go->changed.notify_all();
		}
	} else {
		// The bar marks and invokes the item in its own thread, once it knows the item is
		// still one of its own.
		BMessage ended(kMsgMenuSessionEnded);
		ended.AddMessenger("root", BMessenger(fRoot));
		if (chosen != nullptr)
			ended.AddPointer("item", chosen);
		fSetup.bar.SendMessage(&ended, (BHandler*)nullptr, 0);
	}
	if (!rootGoing)
		fRoot->Quit();
}

} // namespace BPrivate
