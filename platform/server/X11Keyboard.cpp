#include "X11Keyboard.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <InterfaceDefs.h>

#include "ModifierKeys.h"

namespace BPrivate {

namespace {

struct ModifierKey {
	KeySym keysym;
	uint32 modifiers;
};

// The right Alt key is AltGr (ISO_Level3_Shift) on many layouts and counts as the right Alt, as
// it does in SDL's events.
const ModifierKey kModifierKeys[] = {
    {XK_Shift_L, kLeftShiftModifiers},
    {XK_Shift_R, kRightShiftModifiers},
    {XK_Control_L, kLeftCtrlModifiers},
    {XK_Control_R, kRightCtrlModifiers},
    {XK_Alt_L, kLeftAltModifiers},
    {XK_Alt_R, kRightAltModifiers},
    {XK_ISO_Level3_Shift, kRightAltModifiers},
    {XK_Super_L, kLeftSuperModifiers},
    {XK_Super_R, kRightSuperModifiers},
};

// The reader's connection and what each key code means. The connection selects no events,
// but every client gets MappingNotify when the keyboard layout changes; the table is rebuilt
// then.
class X11Keyboard {
public:
	// Never destroyed: a thread may still ask while the program exits, and the server
	// closes the connection with the process anyway.
	static X11Keyboard& Default()
	{
		static X11Keyboard* keyboard = new X11Keyboard;
		return *keyboard;
	}

	bool Read(uint32* modifiers)
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (!_Open())
			return false;
		_FollowLayoutChanges();

		char keys[32];
		XQueryKeymap(fDisplay, keys);
		uint32 held = 0;
		for (size_t code = 0; code < fKeyModifiers.size(); code++) {
			if ((keys[code / 8] & (1 << (code % 8))) != 0)
				held |= fKeyModifiers[code];
		}
		XkbStateRec state;
		if (XkbGetState(fDisplay, XkbUseCoreKbd, &state) == Success) {
			if ((state.locked_mods & LockMask) != 0)
				held |= B_CAPS_LOCK;
			if (fNumLockMask != 0 && (state.locked_mods & fNumLockMask) != 0)
				held |= B_NUM_LOCK;
		}
		*modifiers = held;
		return true;
	}

	bool Answers()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return _Open();
	}

private:
	// Opens the connection once; a server that did not answer is not asked again, since
	// every attempt can take as long as a network time-out.
	bool _Open()
	{
		if (fTried)
			return fDisplay != nullptr;
		fTried = true;
		const char* name = getenv("DISPLAY");
		if (name == nullptr || name[0] == '\0')
			return false;
		fDisplay = XOpenDisplay(name);
		if (fDisplay == nullptr)
			return false;
		_ReadLayout();
		return true;
	}

	void _ReadLayout()
	{
		int first = 0;
		int last = 0;
		XDisplayKeycodes(fDisplay, &first, &last);
		fKeyModifiers.assign(256, 0);
		for (int code = first; code <= last && code < 256; code++) {
			KeySym keysym = XkbKeycodeToKeysym(fDisplay, (KeyCode)code, 0, 0);
			for (const ModifierKey& key : kModifierKeys) {
				if (key.keysym == keysym)
					fKeyModifiers[code] = key.modifiers;
			}
		}
		fNumLockMask = XkbKeysymToModifiers(fDisplay, XK_Num_Lock);
	}

	void _FollowLayoutChanges()
	{
		bool changed = false;
		while (XPending(fDisplay) > 0) {
			XEvent event;
			XNextEvent(fDisplay, &event);
			if (event.type == MappingNotify) {
				XRefreshKeyboardMapping(&event.xmapping);
				changed = true;
			}
		}
		if (changed)
			_ReadLayout();
	}

	std::mutex fLock;
	bool fTried = false;
	Display* fDisplay = nullptr;
	std::vector<uint32> fKeyModifiers;
	unsigned int fNumLockMask = 0;
};

} // namespace

bool read_x11_modifiers(uint32* modifiers)
{
	return X11Keyboard::Default().Read(modifiers);
}

bool x11_server_answers()
{
	return X11Keyboard::Default().Answers();
}

} // namespace BPrivate
