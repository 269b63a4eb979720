// The Command shortcuts of a window: those of the key menu bar's items, then those added with
// AddShortcut, then the defaults every window of the platform has (Ctrl+Q asks the application
// to quit, Ctrl+W closes the window, and the editing keys go to the focused view as the
// editing commands).
#include <Window.h>

#include <cctype>

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <View.h>

#include "LooperRegistry.h"
#include "WindowPrivate.h"
#include "WindowShortcut.h"

namespace BPrivate {

menu_bar_shortcut_hook gMenuBarShortcutHook = nullptr;
menu_bar_open_hook gMenuBarOpenHook = nullptr;
default_button_hook gDefaultButtonHook = nullptr;

} // namespace BPrivate

namespace {

// Only these modifiers tell one Command shortcut from another; lock keys do not.
const uint32 kShortcutModifiers = B_SHIFT_KEY | B_CONTROL_KEY | B_OPTION_KEY;

uint32 normalized_key(uint32 key)
{
	return key < 128 ? (uint32)tolower((int)key) : key;
}

} // namespace

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
	AddShortcut(key, modifiers, message, nullptr);
}

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	if (message == nullptr)
		return;
	RemoveShortcut(key, modifiers);
	auto shortcut = std::make_unique<BPrivate::WindowShortcut>();
	shortcut->key = normalized_key(key);
	shortcut->modifiers = modifiers & kShortcutModifiers;
	shortcut->message.reset(message);
	shortcut->target = target;
	shortcut->targetToken = target != nullptr ? target->Token() : -1;
	fShortcuts.push_back(std::move(shortcut));
}

void BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
	key = normalized_key(key);
	modifiers &= kShortcutModifiers;
	for (auto it = fShortcuts.begin(); it != fShortcuts.end(); ++it) {
		if ((*it)->key == key && (*it)->modifiers == modifiers) {
			fShortcuts.erase(it);
			return;
		}
	}
}

bool BWindow::HasShortcut(uint32 key, uint32 modifiers)
{
	key = normalized_key(key);
	modifiers &= kShortcutModifiers;
	for (const auto& shortcut : fShortcuts) {
		if (shortcut->key == key && shortcut->modifiers == modifiers)
			return true;
	}
	return false;
}

bool BWindow::_HandleCommandKey(BMessage* message)
{
	int32 modifiers = 0;
	int32 rawChar = 0;
	message->FindInt32("modifiers", &modifiers);
	message->FindInt32("raw_char", &rawChar);
	// F10 opens the key menu bar's first menu, as on other Linux desktops.
	if (rawChar == B_FUNCTION_KEY && message->GetInt32("key", 0) == B_F10_KEY &&
	    (modifiers & (B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0 &&
	    fKeyMenuBar != nullptr && BPrivate::gMenuBarOpenHook != nullptr) {
		BPrivate::gMenuBarOpenHook(fKeyMenuBar);
		return true;
	}
	if ((modifiers & B_COMMAND_KEY) == 0 || rawChar == 0)
		return false;
	uint32 key = normalized_key((uint32)rawChar);
	uint32 held = (uint32)modifiers & kShortcutModifiers;

	if (fKeyMenuBar != nullptr && BPrivate::gMenuBarShortcutHook != nullptr &&
	    BPrivate::gMenuBarShortcutHook(fKeyMenuBar, key, held))
		return true;

	for (const auto& shortcut : fShortcuts) {
		if (shortcut->key != key || shortcut->modifiers != held)
			continue;
		BHandler* target = this;
		if (shortcut->target != nullptr) {
			// A target that was deleted since takes nothing.
			target = BPrivate::LooperRegistry::Default().HandlerFor(shortcut->targetToken);
			if (target != shortcut->target || target->Looper() != this)
				return true;
		}
		PostMessage(shortcut->message.get(), target);
		return true;
	}

	if (held == 0 && key == 'q') {
		if (be_app != nullptr)
			be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}
	if (held == 0 && key == 'w') {
		if ((fFlags & B_NOT_CLOSABLE) == 0)
			PostMessage(B_QUIT_REQUESTED);
		return true;
	}
	uint32 command = 0;
	if (held == 0) {
		switch (key) {
		case 'x':
			command = B_CUT;
			break;
		case 'c':
			command = B_COPY;
			break;
		case 'v':
			command = B_PASTE;
			break;
		case 'a':
			command = B_SELECT_ALL;
			break;
		case 'z':
			command = B_UNDO;
			break;
		}
	} else if (held == B_SHIFT_KEY && key == 'z') {
		command = B_REDO;
	}
	if (command != 0 && fFocus != nullptr) {
		// Delivered at once rather than posted: keys typed right after the shortcut already
		// wait in the queue, and they must find the paste or the undo done.
		BMessage* message = new BMessage(command);
		if (DispatchThroughFilters(message, fFocus))
			delete message;
		return true;
	}
	return false;
}
