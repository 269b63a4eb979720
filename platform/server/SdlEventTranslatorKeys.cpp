// The keyboard's side of the translator: key presses, the text they type, and the input
// method's pre-edit and commits.
#include "SdlEventTranslator.h"

#include <SDL.h>

#include <FontEngine.h>
#include <InterfaceDefs.h>

#include "SdlKeyMap.h"

namespace BPrivate {

namespace {

// Ctrl (Command) or the left Alt (Control) make a key press a shortcut: X11 still sends text
// for it, which must not be typed.
bool is_shortcut(uint32 modifiers)
{
	return (modifiers & (B_COMMAND_KEY | B_LEFT_CONTROL_KEY)) != 0;
}

// The byte offset of character `index` in the text; SDL counts the pre-edit in characters.
int32 byte_offset(const std::string& text, int64 index)
{
	size_t offset = 0;
	for (int64 i = 0; i < index && offset < text.size(); i++)
		graphics::next_code_point(text.data(), text.size(), &offset);
	return (int32)offset;
}

} // namespace

void SdlEventTranslator::SetTextInputActive(bool active)
{
	fTextInputActive = active;
	// Stopping text input ends the input method's composition with it.
	if (!active)
		fPreeditShown = false;
}

void SdlEventTranslator::_FlushKeyPress(EventList* out)
{
	if (fKeyPress.has_value() && !fKeyPressTyped)
		out->push_back(*fKeyPress);
	fKeyPress.reset();
	fKeyPressTyped = false;
}

void SdlEventTranslator::_UpdateModifiers(uint32 modifiers, backend_window_id window, int32 key,
                                          EventList* out)
{
	if (modifiers == fModifiers.load())
		return;
	fModifiers.store(modifiers);
	InputEvent event = _Event(InputEvent::ModifiersChanged, window);
	event.key = key;
	out->push_back(event);
}

void SdlEventTranslator::_Key(const SDL_KeyboardEvent& key, EventList* out)
{
	const WindowInfo* info = _Find(key.windowID);
	backend_window_id window = info != nullptr ? info->window : -1;
	uint32 modifiers = SdlKeyMap::Modifiers(key.keysym.mod);
	int32 keyCode = SdlKeyMap::KeyCode(key.keysym.scancode);
	_UpdateModifiers(modifiers, window, keyCode, out);

	bool down = key.type == SDL_KEYDOWN;
	InputEvent event = _Event(down ? InputEvent::KeyDown : InputEvent::KeyUp, window);
	event.key = keyCode;
	event.repeat = key.repeat != 0;
	// A modifier key alone types nothing: the platform reports it as an unmapped key, after
	// the change of the modifiers.
	if (SdlKeyMap::IsModifierKey(key.keysym.sym)) {
		if (keyCode != 0)
			out->push_back(event);
		return;
	}
	event.rawChar = SdlKeyMap::RawChar(key.keysym.sym, modifiers);
	// Multimedia and other keys that neither have a place in the numbering nor type anything
	// mean nothing to the platform.
	if (event.key == 0 && event.rawChar == 0)
		return;
	bool control = SdlKeyMap::IsControlChar(event.rawChar);
	if (control) {
		event.bytes.assign(1, (char)event.rawChar);
	} else if (event.rawChar != 0) {
		bool shift = (modifiers & B_SHIFT_KEY) != 0;
		event.bytes =
		    SdlKeyMap::Utf8(shift ? SdlKeyMap::ShiftedChar(event.rawChar) : event.rawChar);
	}

	if (!down || !fTextInputActive || control || event.rawChar == 0 || is_shortcut(modifiers)) {
		out->push_back(event);
		return;
	}
	// The text this press types comes next; until then its own character stands in.
	fKeyPress = event;
	fKeyPressTyped = false;
}

void SdlEventTranslator::_Text(uint32 sdlWindow, const char* text, size_t length, EventList* out)
{
	if (length == 0)
		return;
	_FlushFocusLoss(out);
	std::string typed(text, length);
	if (fKeyPress.has_value() && !(fPreeditShown && !fKeyPressTyped)) {
		if (!fKeyPressTyped && (fKeyPress->modifiers & B_RIGHT_CONTROL_KEY) != 0) {
			// The right Alt key alone: a shortcut when it typed the key's own character, else
			// AltGr choosing another character, which is typed as a plain key press.
			int32 raw = fKeyPress->rawChar;
			if (typed == fKeyPress->bytes || typed == SdlKeyMap::Utf8(raw) ||
			    typed == SdlKeyMap::Utf8(SdlKeyMap::ShiftedChar(raw))) {
				_FlushKeyPress(out);
				return;
			}
			fKeyPress->modifiers &= ~(uint32)(B_CONTROL_KEY | B_RIGHT_CONTROL_KEY);
		}
		_TypeWithKeyPress(typed, out);
		return;
	}
	// A key press that the input method took into its pre-edit is answered by the commit.
	if (fKeyPress.has_value() && !fKeyPressTyped)
		fKeyPress.reset();
	if (is_shortcut(fModifiers.load()))
		return;
	const WindowInfo* info = _Find(sdlWindow);
	InputEvent event = _Event(InputEvent::TextCommitted, info != nullptr ? info->window : -1);
	event.text = typed;
	out->push_back(event);
	fPreeditShown = false;
}

void SdlEventTranslator::_TypeWithKeyPress(const std::string& text, EventList* out)
{
	size_t offset = 0;
	while (offset < text.size()) {
		size_t start = offset;
		graphics::next_code_point(text.data(), text.size(), &offset);
		InputEvent event = *fKeyPress;
		event.bytes = text.substr(start, offset - start);
		out->push_back(event);
	}
	fKeyPressTyped = true;
}

void SdlEventTranslator::_Preedit(uint32 sdlWindow, const char* text, size_t length, int32 start,
                                  int32 count, EventList* out)
{
	_FlushFocusLoss(out);
	// A key press waiting for text went into the composition instead.
	if (fKeyPress.has_value() && !fKeyPressTyped)
		fKeyPress.reset();
	const WindowInfo* info = _Find(sdlWindow);
	InputEvent event = _Event(InputEvent::PreeditChanged, info != nullptr ? info->window : -1);
	if (text != nullptr)
		event.text.assign(text, length);
	// Offsets past the end stop at the end; they are counted wide so no sum can overflow.
	int64 first = start < 0 ? 0 : start;
	int64 last = count < 0 ? first : first + count;
	event.selectionStart = byte_offset(event.text, first);
	event.selectionEnd = byte_offset(event.text, last);
	fPreeditShown = !event.text.empty();
	out->push_back(event);
}

} // namespace BPrivate
