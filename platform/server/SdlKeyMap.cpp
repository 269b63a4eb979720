#include "SdlKeyMap.h"

#include <SDL.h>

#include <InterfaceDefs.h>

#include "ModifierKeys.h"

namespace BPrivate {

namespace {

struct KeyCodeEntry {
	SDL_Scancode scancode;
	int32 key;
};

// The platform's keyboard numbering, by the key's place on a standard PC keyboard.
const KeyCodeEntry kKeyCodes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},      {SDL_SCANCODE_F1, 0x02},
    {SDL_SCANCODE_F2, 0x03},          {SDL_SCANCODE_F3, 0x04},
    {SDL_SCANCODE_F4, 0x05},          {SDL_SCANCODE_F5, 0x06},
    {SDL_SCANCODE_F6, 0x07},          {SDL_SCANCODE_F7, 0x08},
    {SDL_SCANCODE_F8, 0x09},          {SDL_SCANCODE_F9, 0x0a},
    {SDL_SCANCODE_F10, 0x0b},         {SDL_SCANCODE_F11, 0x0c},
    {SDL_SCANCODE_F12, 0x0d},         {SDL_SCANCODE_PRINTSCREEN, 0x0e},
    {SDL_SCANCODE_SCROLLLOCK, 0x0f},  {SDL_SCANCODE_PAUSE, 0x10},
    {SDL_SCANCODE_GRAVE, 0x11},       {SDL_SCANCODE_1, 0x12},
    {SDL_SCANCODE_2, 0x13},           {SDL_SCANCODE_3, 0x14},
    {SDL_SCANCODE_4, 0x15},           {SDL_SCANCODE_5, 0x16},
    {SDL_SCANCODE_6, 0x17},           {SDL_SCANCODE_7, 0x18},
    {SDL_SCANCODE_8, 0x19},           {SDL_SCANCODE_9, 0x1a},
    {SDL_SCANCODE_0, 0x1b},           {SDL_SCANCODE_MINUS, 0x1c},
    {SDL_SCANCODE_EQUALS, 0x1d},      {SDL_SCANCODE_BACKSPACE, 0x1e},
    {SDL_SCANCODE_INSERT, 0x1f},      {SDL_SCANCODE_HOME, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},      {SDL_SCANCODE_NUMLOCKCLEAR, 0x22},
    {SDL_SCANCODE_KP_DIVIDE, 0x23},   {SDL_SCANCODE_KP_MULTIPLY, 0x24},
    {SDL_SCANCODE_KP_MINUS, 0x25},    {SDL_SCANCODE_TAB, 0x26},
    {SDL_SCANCODE_Q, 0x27},           {SDL_SCANCODE_W, 0x28},
    {SDL_SCANCODE_E, 0x29},           {SDL_SCANCODE_R, 0x2a},
    {SDL_SCANCODE_T, 0x2b},           {SDL_SCANCODE_Y, 0x2c},
    {SDL_SCANCODE_U, 0x2d},           {SDL_SCANCODE_I, 0x2e},
    {SDL_SCANCODE_O, 0x2f},           {SDL_SCANCODE_P, 0x30},
    {SDL_SCANCODE_LEFTBRACKET, 0x31}, {SDL_SCANCODE_RIGHTBRACKET, 0x32},
    {SDL_SCANCODE_BACKSLASH, 0x33},   {SDL_SCANCODE_DELETE, 0x34},
    {SDL_SCANCODE_END, 0x35},         {SDL_SCANCODE_PAGEDOWN, 0x36},
    {SDL_SCANCODE_KP_7, 0x37},        {SDL_SCANCODE_KP_8, 0x38},
    {SDL_SCANCODE_KP_9, 0x39},        {SDL_SCANCODE_KP_PLUS, 0x3a},
    {SDL_SCANCODE_CAPSLOCK, 0x3b},    {SDL_SCANCODE_A, 0x3c},
    {SDL_SCANCODE_S, 0x3d},           {SDL_SCANCODE_D, 0x3e},
    {SDL_SCANCODE_F, 0x3f},           {SDL_SCANCODE_G, 0x40},
    {SDL_SCANCODE_H, 0x41},           {SDL_SCANCODE_J, 0x42},
    {SDL_SCANCODE_K, 0x43},           {SDL_SCANCODE_L, 0x44},
    {SDL_SCANCODE_SEMICOLON, 0x45},   {SDL_SCANCODE_APOSTROPHE, 0x46},
    {SDL_SCANCODE_RETURN, 0x47},      {SDL_SCANCODE_KP_4, 0x48},
    {SDL_SCANCODE_KP_5, 0x49},        {SDL_SCANCODE_KP_6, 0x4a},
    {SDL_SCANCODE_LSHIFT, 0x4b},      {SDL_SCANCODE_Z, 0x4c},
    {SDL_SCANCODE_X, 0x4d},           {SDL_SCANCODE_C, 0x4e},
    {SDL_SCANCODE_V, 0x4f},           {SDL_SCANCODE_B, 0x50},
    {SDL_SCANCODE_N, 0x51},           {SDL_SCANCODE_M, 0x52},
    {SDL_SCANCODE_COMMA, 0x53},       {SDL_SCANCODE_PERIOD, 0x54},
    {SDL_SCANCODE_SLASH, 0x55},       {SDL_SCANCODE_RSHIFT, 0x56},
    {SDL_SCANCODE_UP, 0x57},          {SDL_SCANCODE_KP_1, 0x58},
    {SDL_SCANCODE_KP_2, 0x59},        {SDL_SCANCODE_KP_3, 0x5a},
    {SDL_SCANCODE_KP_ENTER, 0x5b},    {SDL_SCANCODE_LCTRL, 0x5c},
    {SDL_SCANCODE_LALT, 0x5d},        {SDL_SCANCODE_SPACE, 0x5e},
    {SDL_SCANCODE_RALT, 0x5f},        {SDL_SCANCODE_RCTRL, 0x60},
    {SDL_SCANCODE_LEFT, 0x61},        {SDL_SCANCODE_DOWN, 0x62},
    {SDL_SCANCODE_RIGHT, 0x63},       {SDL_SCANCODE_KP_0, 0x64},
    {SDL_SCANCODE_KP_PERIOD, 0x65},   {SDL_SCANCODE_LGUI, 0x66},
    {SDL_SCANCODE_RGUI, 0x67},        {SDL_SCANCODE_APPLICATION, 0x68},
};

struct ModifierEntry {
	uint32 sdl;
	uint32 platform;
};

const ModifierEntry kModifiers[] = {
    {KMOD_LSHIFT, kLeftShiftModifiers}, {KMOD_RSHIFT, kRightShiftModifiers},
    {KMOD_LCTRL, kLeftCtrlModifiers},   {KMOD_RCTRL, kRightCtrlModifiers},
    {KMOD_LALT, kLeftAltModifiers},     {KMOD_RALT, kRightAltModifiers},
    {KMOD_LGUI, kLeftSuperModifiers},   {KMOD_RGUI, kRightSuperModifiers},
    {KMOD_CAPS, B_CAPS_LOCK},           {KMOD_NUM, B_NUM_LOCK},
};

struct CharEntry {
	SDL_Keycode sdlKey;
	int32 rawChar;
};

// Keys that type nothing, by their meaning (a key the layout remaps keeps its new meaning).
const CharEntry kControlChars[] = {
    {SDLK_BACKSPACE, B_BACKSPACE},
    {SDLK_RETURN, B_RETURN},
    {SDLK_RETURN2, B_RETURN},
    {SDLK_KP_ENTER, B_ENTER},
    {SDLK_TAB, B_TAB},
    {SDLK_ESCAPE, B_ESCAPE},
    {SDLK_LEFT, B_LEFT_ARROW},
    {SDLK_RIGHT, B_RIGHT_ARROW},
    {SDLK_UP, B_UP_ARROW},
    {SDLK_DOWN, B_DOWN_ARROW},
    {SDLK_HOME, B_HOME},
    {SDLK_END, B_END},
    {SDLK_PAGEUP, B_PAGE_UP},
    {SDLK_PAGEDOWN, B_PAGE_DOWN},
    {SDLK_DELETE, B_DELETE},
    {SDLK_INSERT, B_INSERT},
    {SDLK_F1, B_FUNCTION_KEY},
    {SDLK_F2, B_FUNCTION_KEY},
    {SDLK_F3, B_FUNCTION_KEY},
    {SDLK_F4, B_FUNCTION_KEY},
    {SDLK_F5, B_FUNCTION_KEY},
    {SDLK_F6, B_FUNCTION_KEY},
    {SDLK_F7, B_FUNCTION_KEY},
    {SDLK_F8, B_FUNCTION_KEY},
    {SDLK_F9, B_FUNCTION_KEY},
    {SDLK_F10, B_FUNCTION_KEY},
    {SDLK_F11, B_FUNCTION_KEY},
    {SDLK_F12, B_FUNCTION_KEY},
    {SDLK_PRINTSCREEN, B_FUNCTION_KEY},
    {SDLK_SCROLLLOCK, B_FUNCTION_KEY},
    {SDLK_PAUSE, B_FUNCTION_KEY},
};

// The keypad's characters while Num Lock is on, and its editing keys while it is off.
struct KeypadEntry {
	SDL_Keycode sdlKey;
	int32 withNumLock;
	int32 withoutNumLock;
};

const KeypadEntry kKeypad[] = {
    {SDLK_KP_0, '0', B_INSERT},      {SDLK_KP_1, '1', B_END},
    {SDLK_KP_2, '2', B_DOWN_ARROW},  {SDLK_KP_3, '3', B_PAGE_DOWN},
    {SDLK_KP_4, '4', B_LEFT_ARROW},  {SDLK_KP_5, '5', 0},
    {SDLK_KP_6, '6', B_RIGHT_ARROW}, {SDLK_KP_7, '7', B_HOME},
    {SDLK_KP_8, '8', B_UP_ARROW},    {SDLK_KP_9, '9', B_PAGE_UP},
    {SDLK_KP_PERIOD, '.', B_DELETE}, {SDLK_KP_DIVIDE, '/', '/'},
    {SDLK_KP_MULTIPLY, '*', '*'},    {SDLK_KP_MINUS, '-', '-'},
    {SDLK_KP_PLUS, '+', '+'},        {SDLK_KP_EQUALS, '=', '='},
    {SDLK_KP_COMMA, ',', ','},
};

// The US layout's shift level for the keys that are not letters.
const char kUnshifted[] = "`1234567890-=[]\\;',./";
const char kShifted[] = "~!@#$%^&*()_+{}|:\"<>?";

} // namespace

int32 SdlKeyMap::KeyCode(int32 scancode)
{
	for (const KeyCodeEntry& entry : kKeyCodes) {
		if (entry.scancode == scancode)
			return entry.key;
	}
	return 0;
}

uint32 SdlKeyMap::Modifiers(uint32 sdlModifiers)
{
	uint32 modifiers = 0;
	for (const ModifierEntry& entry : kModifiers) {
		if ((sdlModifiers & entry.sdl) != 0)
			modifiers |= entry.platform;
	}
	return modifiers;
}

bool SdlKeyMap::IsModifierKey(int32 sdlKey)
{
	switch (sdlKey) {
	case SDLK_LSHIFT:
	case SDLK_RSHIFT:
	case SDLK_LCTRL:
	case SDLK_RCTRL:
	case SDLK_LALT:
	case SDLK_RALT:
	case SDLK_LGUI:
	case SDLK_RGUI:
	case SDLK_CAPSLOCK:
	case SDLK_NUMLOCKCLEAR:
	case SDLK_MODE:
		return true;
	default:
		return false;
	}
}

int32 SdlKeyMap::RawChar(int32 sdlKey, uint32 modifiers)
{
	for (const CharEntry& entry : kControlChars) {
		if (entry.sdlKey == sdlKey)
			return entry.rawChar;
	}
	for (const KeypadEntry& entry : kKeypad) {
		if (entry.sdlKey == sdlKey)
			return (modifiers & B_NUM_LOCK) != 0 ? entry.withNumLock : entry.withoutNumLock;
	}
	// Keys with a character carry its code point; the others are scancodes with a marker bit.
	if ((sdlKey & SDLK_SCANCODE_MASK) != 0 || sdlKey < 0x20 || sdlKey == 0x7f)
		return 0;
	if (sdlKey > 0x10ffff || (sdlKey >= 0xd800 && sdlKey <= 0xdfff))
		return 0;
	return sdlKey;
}

bool SdlKeyMap::IsControlChar(int32 rawChar)
{
	return (rawChar > 0 && rawChar < 0x20) || rawChar == 0x7f;
}

int32 SdlKeyMap::ShiftedChar(int32 c)
{
	if (c >= 'a' && c <= 'z')
		return c - 'a' + 'A';
	for (size_t i = 0; kUnshifted[i] != '\0'; i++) {
		if (kUnshifted[i] == c)
			return (uint8)kShifted[i];
	}
	return c;
}

std::string SdlKeyMap::Utf8(int32 codePoint)
{
	std::string bytes;
	uint32 c = (uint32)codePoint;
	if (codePoint <= 0 || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff))
		return bytes;
	if (c < 0x80) {
		bytes += (char)c;
	} else if (c < 0x800) {
		bytes += (char)(0xc0 | (c >> 6));
		bytes += (char)(0x80 | (c & 0x3f));
	} else if (c < 0x10000) {
		bytes += (char)(0xe0 | (c >> 12));
		bytes += (char)(0x80 | ((c >> 6) & 0x3f));
		bytes += (char)(0x80 | (c & 0x3f));
	} else {
		bytes += (char)(0xf0 | (c >> 18));
		bytes += (char)(0x80 | ((c >> 12) & 0x3f));
		bytes += (char)(0x80 | ((c >> 6) & 0x3f));
		bytes += (char)(0x80 | (c & 0x3f));
	}
	return bytes;
}

} // namespace BPrivate
