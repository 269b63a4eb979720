#include <PopUpMenu.h>

#include <Looper.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "Desktop.h"
#include "MenuTracker.h"
#include "WindowPrivate.h"

using BPrivate::MenuGoState;
using BPrivate::MenuSessionSpec;

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

	MenuSessionSpec spec;
	spec.popUp = this;
	spec.where = where;
	spec.deliversMessage = deliversMessage;
	spec.async = async;
	spec.autoDelete = async && fAutoDestruct;
	spec.defaultTarget = caller != nullptr ? BMessenger(caller) : BMessenger();
	spec.stayOpenOnClick = openAnyway;
	spec.clickToOpen = clickToOpen;
	float x = 0, y = 0;
	uint32 buttons = 0;
	desktop->Backend()->GetPointer(&x, &y, &buttons);
	spec.pressHeld = buttons != 0;
	spec.pressPoint = BPoint(x, y);
	// The release of a press in the calling window goes to the menu now.
	if (spec.pressHeld && caller != nullptr)
		BPrivate::WindowAccess::EndPointerGrab(caller);
	auto state = std::make_shared<MenuGoState>();
	spec.go = state;
	BMessenger defaultTarget = spec.defaultTarget;
	if (!BPrivate::MenuTracker::StartSession(std::move(spec), Name()).IsValid() || async)
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
