// What SDL's keyboard events mean in the platform's terms: the platform's key numbering (by
// the key's place on the keyboard), the character a key gives without modifiers (by the
// key's meaning in the current layout), and the modifier mask. Every key-related table of the
// SDL backend lives here, so the mapping is decided in one place; which platform modifier
// each modifier key stands for is decided in ModifierKeys.h, for the X11 reader as well.
#ifndef _SDL_KEY_MAP_H
#define _SDL_KEY_MAP_H

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

class SdlKeyMap {
public:
	// The platform's key code of an SDL scancode, 0 for a key the numbering lacks.
	static int32 KeyCode(int32 scancode);

	// The platform's modifier mask of SDL's modifier state (SDL_Keymod).
	static uint32 Modifiers(uint32 sdlModifiers);

	// Whether the SDL key (SDL_Keycode) only changes the modifiers: Shift, Ctrl, Alt, Super,
	// Caps Lock, Num Lock and the mode switch. They type nothing, whatever the layout.
	static bool IsModifierKey(int32 sdlKey);

	// The character the key gives without modifiers: the platform's control code for keys
	// that type nothing (B_BACKSPACE, B_LEFT_ARROW, B_FUNCTION_KEY, ...), else the Unicode
	// code point of the key's character, lower case for letters; 0 when it has neither.
	// The keypad follows Num Lock in `modifiers`, as a keyboard does.
	static int32 RawChar(int32 sdlKey, uint32 modifiers);

	// Whether a raw character is one of the control codes (no text arrives for those).
	static bool IsControlChar(int32 rawChar);

	// The character a key whose own character is `c` types with Shift held: letters in
	// upper case, digits and punctuation as the US layout shifts them. SDL does not tell
	// what the layout's shift level holds, and this is only used where no text arrives
	// (shortcuts with Ctrl or Alt held, and keys pressed while text input is off).
	static int32 ShiftedChar(int32 c);

	// The UTF-8 bytes of a code point; empty for one that is not a character.
	static std::string Utf8(int32 codePoint);
};

} // namespace BPrivate

#endif
