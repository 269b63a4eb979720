#include <PopUpMenu.h>

#include <Looper.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "Desktop.h"
#include "MenuTracker.h"
#include "WindowPrivate.h"

using BPrivate::MenuGoState;
using BPrivate::MenuSessionSetup;

BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked, menu_layout layout)
    : BMenu(name, layout), fAutoDestruct(false)
{
	SetRadioMode(radioMode);
	if (labelFromMarked)
		SetLabelFromMarked(true);
}

BPopUpMenu::BPopUpMenu(BMessage* archive) : BMenu(archive), fAutoDestruct(false) {}

BPopUpMenu::~BPopUpMenu() {}

BArchivable* BPopUpMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPopUpMenu"))
		return nullptr;
	return new BPopUpMenu(archive);
}

status_t BPopUpMenu::Archive(BMessage* archive, bool deep) const
{
	return BMenu::Archive(archive, deep);
}

BMenuItem* BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, bool async)
{
	return _Go(where, deliversMessage, openAnyway, BRect(), async);
}

BMenuItem* BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
                          bool async)
{
	return _Go(where, deliversMessage, openAnyway, clickToOpen, async);
}

BMenuItem* BPopUpMenu::_Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
                           bool async)
{
	BPrivate::Desktop* desktop = BPrivate::Desktop::Current();
	if (desktop == nullptr || Window() != nullptr || Parent() != nullptr)
		return nullptr;
	BWindow* caller = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(nullptr)));

	MenuSessionSetup setup;
	setup.popUp = this;
	setup.where = where;
	setup.deliversMessage = deliversMessage;
	setup.async = async;
	setup.autoDelete = async && fAutoDestruct;
	setup.defaultTarget = caller != nullptr ? BMessenger(caller) : BMessenger();
	setup.stayOpenOnClick = openAnyway;
	setup.clickToOpen = clickToOpen;
	float x = 0, y = 0;
	uint32 buttons = 0;
	desktop->Backend()->GetPointer(&x, &y, &buttons);
	setup.pressHeld = buttons != 0;
	setup.pressPoint = BPoint(x, y);
	// The release of a press in the calling window goes to the menu now.
	if (setup.pressHeld && caller != nullptr)
		BPrivate::WindowAccess::EndPointerGrab(caller);
	auto state = std::make_shared<MenuGoState>();
	setup.go = state;
	BMessenger defaultTarget = setup.defaultTarget;
	if (!BPrivate::MenuTracker::StartSession(std::move(setup), Name()).IsValid() || async)
		return nullptr;

	BMenuItem* item;
	{
		std::unique_lock<std::mutex> lock(state->lock);
		state->changed.wait(lock, [&] { return state->done; });
		item = state->item;
	}
	if (item != nullptr && deliversMessage)
		item->_Invoke(nullptr, defaultTarget);
	return item;
}

B_REGISTER_ARCHIVABLE(BPopUpMenu);
