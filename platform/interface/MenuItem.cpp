#include <MenuItem.h>

#include <Menu.h>
#include <Message.h>
#include <Window.h>

#include "MenuPrivate.h"

using BPrivate::MenuLocker;

namespace {

// Archives nest a submenu inside each item; an archive nested deeper than any menu a person
// could use is refused rather than followed until the stack runs out.
constexpr int32 kMaxSubmenuDepth = 32;
thread_local int32 sUnarchiveDepth = 0;

} // namespace

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
    : BInvoker()
{
	_Init(label, message);
	SetShortcut(shortcut, modifiers);
}

BMenuItem::BMenuItem(BMenu* menu, BMessage* message) : BInvoker()
{
	_Init(menu != nullptr ? menu->Name() : nullptr, message);
	if (menu != nullptr)
		_SetSubmenu(menu);
}

BMenuItem::BMenuItem(BMessage* archive) : BArchivable(archive), BInvoker()
{
	const char* label = nullptr;
	if (archive != nullptr)
		archive->FindString("_label", &label);
	_Init(label, nullptr);
	if (archive == nullptr)
		return;

	BMessage* message = new BMessage;
	if (archive->FindMessage("_msg", message) == B_OK)
		SetMessage(message);
	else
		delete message;
	int32 shortcut;
	if (archive->FindInt32("_shortcut", &shortcut) == B_OK)
		SetShortcut((char)shortcut, (uint32)archive->GetInt32("_mods", 0));
	fEnabled = !archive->GetBool("_disable", false);
	fMarked = archive->GetBool("_marked", false);
	int32 trigger;
	if (archive->FindInt32("_user_trig", &trigger) == B_OK)
		fTrigger = (char)trigger;

	BMessage submenuArchive;
	if (archive->FindMessage("_submenu", &submenuArchive) == B_OK &&
	    sUnarchiveDepth < kMaxSubmenuDepth) {
		sUnarchiveDepth++;
		BArchivable* object = instantiate_object(&submenuArchive);
		sUnarchiveDepth--;
		if (BMenu* submenu = dynamic_cast<BMenu*>(object)) {
			_SetSubmenu(submenu);
			if (label == nullptr)
				fLabel = submenu->Name() != nullptr ? submenu->Name() : "";
		} else {
			delete object;
		}
	}
}

BMenuItem::~BMenuItem()
{
	if (fMenu != nullptr)
		fMenu->RemoveItem(this);
	BMenu* submenu = fSubmenu;
	fSubmenu = nullptr;
	if (submenu != nullptr) {
		submenu->fSuperitem = nullptr;
		delete submenu;
	}
}

void BMenuItem::_Init(const char* label, BMessage* message)
{
	fLabel = label != nullptr ? label : "";
	fSubmenu = nullptr;
	fMenu = nullptr;
	fFrame = BRect();
	fShortcut = 0;
	fModifiers = 0;
	fTrigger = 0;
	fEnabled = true;
	fMarked = false;
	fSelected = false;
	fLabelWidth = -1;
	fShortcutWidth = -1;
	SetMessage(message);
}

void BMenuItem::_SetSubmenu(BMenu* menu)
{
	fSubmenu = menu;
	menu->fSuperitem = this;
	menu->fSupermenu = fMenu;
}

BArchivable* BMenuItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuItem"))
		return nullptr;
	return new BMenuItem(archive);
}

status_t BMenuItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && Message() != nullptr)
		status = archive->AddMessage("_msg", Message());
	if (status == B_OK && fShortcut != 0) {
		status = archive->AddInt32("_shortcut", (int32)(unsigned char)fShortcut);
		if (status == B_OK)
			status = archive->AddInt32("_mods", (int32)fModifiers);
	}
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK && fMarked)
		status = archive->AddBool("_marked", true);
	if (status == B_OK && fTrigger != 0)
		status = archive->AddInt32("_user_trig", (int32)(unsigned char)fTrigger);
	if (status == B_OK && deep && fSubmenu != nullptr) {
		BMessage submenu;
		status = fSubmenu->Archive(&submenu, true);
		if (status == B_OK)
			status = archive->AddMessage("_submenu", &submenu);
	}
	return status;
}

// #pragma mark - state

void BMenuItem::SetLabel(const char* label)
{
	MenuLocker lock(fMenu);
	std::string text = label != nullptr ? label : "";
	if (text == fLabel)
		return;
	fLabel = text;
	fLabelWidth = -1;
	if (fMenu != nullptr)
		fMenu->_ItemChanged(this, true);
}

void BMenuItem::SetEnabled(bool enabled)
{
	MenuLocker lock(fMenu);
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (fSubmenu != nullptr)
		fSubmenu->SetEnabled(enabled);
	if (fMenu != nullptr)
		fMenu->_ItemChanged(this, false);
}

bool BMenuItem::IsEnabled() const
{
	return fEnabled && (fMenu == nullptr || fMenu->IsEnabled());
}

void BMenuItem::SetMarked(bool marked)
{
	{
		MenuLocker lock(fMenu);
		bool changed = marked != fMarked;
		fMarked = marked;
		if (marked && fMenu != nullptr)
			fMenu->_ItemMarked(this);
		if (changed && fMenu != nullptr)
			fMenu->_ItemChanged(this, false);
	}
	// Marking a marked item again still brings the label of its menu up to date, which is
	// how a program makes a menu field show the mark it restored.
	if (marked && fMenu != nullptr)
		fMenu->_ShowMarkedLabel(this);
}

void BMenuItem::SetTrigger(char trigger)
{
	fTrigger = trigger;
}

void BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	MenuLocker lock(fMenu);
	fShortcut = shortcut;
	// A shortcut is always pressed with Command.
	fModifiers = shortcut != 0 ? (modifiers | B_COMMAND_KEY) : 0;
	fShortcutWidth = -1;
	if (fMenu != nullptr)
		fMenu->_ItemChanged(this, true);
}

char BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != nullptr)
		*modifiers = fModifiers;
	return fShortcut;
}

// #pragma mark - invoking

status_t BMenuItem::Invoke(BMessage* message)
{
	return _Invoke(message, _DefaultTarget());
}

status_t BMenuItem::_Invoke(BMessage* message, const BMessenger& fallback)
{
	if (!IsEnabled())
		return B_NOT_ALLOWED;
	if (fMenu != nullptr && fMenu->IsRadioMode())
		SetMarked(true);
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("index", fMenu != nullptr ? fMenu->IndexOf(this) : -1);
	// A target that was set and has gone since takes nothing; only an item that never had
	// one sends to the window.
	if (Messenger() == BMessenger())
		return fallback.SendMessage(&copy, HandlerForReply(), Timeout());
	return BInvoker::Invoke(&copy);
}

BMessenger BMenuItem::_DefaultTarget() const
{
	BMenu* top = fMenu;
	while (top != nullptr && top->Supermenu() != nullptr)
		top = top->Supermenu();
	if (top == nullptr || top->Window() == nullptr)
		return BMessenger();
	return BMessenger(top->Window());
}

B_REGISTER_ARCHIVABLE(BMenuItem);
