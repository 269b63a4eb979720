#include "SdlEventTranslator.h"

#include <cstring>

#include <SDL.h>

#include <InterfaceDefs.h>
#include <OS.h>
#include <View.h>

namespace BPrivate {

namespace {

uint32 button_mask(uint8 sdlButton)
{
	switch (sdlButton) {
	case SDL_BUTTON_LEFT:
		return B_PRIMARY_MOUSE_BUTTON;
	case SDL_BUTTON_RIGHT:
		return B_SECONDARY_MOUSE_BUTTON;
	case SDL_BUTTON_MIDDLE:
		return B_TERTIARY_MOUSE_BUTTON;
	default:
		return 0;
	}
}

uint32 buttons_of_state(uint32 sdlState)
{
	uint32 buttons = 0;
	if ((sdlState & SDL_BUTTON_LMASK) != 0)
		buttons |= B_PRIMARY_MOUSE_BUTTON;
	if ((sdlState & SDL_BUTTON_RMASK) != 0)
		buttons |= B_SECONDARY_MOUSE_BUTTON;
	if ((sdlState & SDL_BUTTON_MMASK) != 0)
		buttons |= B_TERTIARY_MOUSE_BUTTON;
	return buttons;
}

} // namespace

void SdlEventTranslator::AddWindow(uint32 sdlWindow, backend_window_id window,
                                   const graphics::IntRect& frame, bool avoidFocus)
{
	fWindows[sdlWindow] = WindowInfo{window, frame, avoidFocus};
}

void SdlEventTranslator::RemoveWindow(uint32 sdlWindow)
{
	auto found = fWindows.find(sdlWindow);
	if (found != fWindows.end() && fKeptFocus == found->second.window)
		fKeptFocus.reset();
	fWindows.erase(sdlWindow);
}

void SdlEventTranslator::SetWindowFrame(uint32 sdlWindow, const graphics::IntRect& frame)
{
	auto found = fWindows.find(sdlWindow);
	if (found != fWindows.end())
		found->second.frame = frame;
}

bool SdlEventTranslator::GetWindowFrame(uint32 sdlWindow, graphics::IntRect* frame) const
{
	const WindowInfo* info = _Find(sdlWindow);
	if (info == nullptr)
		return false;
	*frame = info->frame;
	return true;
}

void SdlEventTranslator::GetPointer(float* x, float* y, uint32* buttons) const
{
	if (x != nullptr)
		*x = fPointerX.load();
	if (y != nullptr)
		*y = fPointerY.load();
	if (buttons != nullptr)
		*buttons = fPointerButtons.load();
}

void SdlEventTranslator::SetPointer(float x, float y, uint32 buttons)
{
	fPointerX.store(x);
	fPointerY.store(y);
	fPointerButtons.store(buttons);
	fHeldButtons = buttons;
}

void SdlEventTranslator::Translate(const SDL_Event& event, EventList* out)
{
	switch (event.type) {
	case SDL_TEXTINPUT:
		_Text(event.text.windowID, event.text.text,
		      strnlen(event.text.text, sizeof(event.text.text)), out);
		return;
	case SDL_TEXTEDITING:
		_Preedit(event.edit.windowID, event.edit.text,
		         strnlen(event.edit.text, sizeof(event.edit.text)), event.edit.start,
		         event.edit.length, out);
		return;
	case SDL_TEXTEDITING_EXT:
		_Preedit(event.editExt.windowID, event.editExt.text,
		         event.editExt.text != nullptr ? strlen(event.editExt.text) : 0,
		         event.editExt.start, event.editExt.length, out);
		return;
	case SDL_KEYDOWN:
	case SDL_KEYUP:
		Flush(out);
		_Key(event.key, out);
		return;
	case SDL_MOUSEMOTION:
		Flush(out);
		_MouseMotion(event.motion, out);
		return;
	case SDL_MOUSEBUTTONDOWN:
	case SDL_MOUSEBUTTONUP:
		Flush(out);
		_MouseButton(event.button, event.type == SDL_MOUSEBUTTONDOWN, out);
		return;
	case SDL_MOUSEWHEEL:
		Flush(out);
		_Wheel(event.wheel, out);
		return;
	case SDL_WINDOWEVENT:
		_FlushKeyPress(out);
		_Window(event.window, out);
		return;
	default:
		return;
	}
}

void SdlEventTranslator::Flush(EventList* out)
{
	_FlushKeyPress(out);
	_FlushFocusLoss(out);
}

void SdlEventTranslator::_FlushFocusLoss(EventList* out)
{
	if (fFocusLoss.has_value())
		out->push_back(*fFocusLoss);
	fFocusLoss.reset();
}

const SdlEventTranslator::WindowInfo* SdlEventTranslator::_Find(uint32 sdlWindow) const
{
	auto found = fWindows.find(sdlWindow);
	return found != fWindows.end() ? &found->second : nullptr;
}

InputEvent SdlEventTranslator::_Event(InputEvent::Type type, backend_window_id window) const
{
	InputEvent event;
	event.type = type;
	event.window = window;
	event.when = system_time();
	event.modifiers = fModifiers.load();
	event.x = fPointerX.load();
	event.y = fPointerY.load();
	event.buttons = fHeldButtons;
	return event;
}

void SdlEventTranslator::_MouseMotion(const SDL_MouseMotionEvent& motion, EventList* out)
{
	const WindowInfo* info = _Find(motion.windowID);
	if (info == nullptr)
		return;
	fHeldButtons = buttons_of_state(motion.state);
	SetPointer(info->frame.left + motion.x, info->frame.top + motion.y, fHeldButtons);
	out->push_back(_Event(InputEvent::MouseMoved, info->window));
}

void SdlEventTranslator::_MouseButton(const SDL_MouseButtonEvent& button, bool down, EventList* out)
{
	const WindowInfo* info = _Find(button.windowID);
	uint32 mask = button_mask(button.button);
	if (info == nullptr || mask == 0)
		return;
	uint32 held = down ? (fHeldButtons | mask) : (fHeldButtons & ~mask);
	SetPointer(info->frame.left + button.x, info->frame.top + button.y, held);
	out->push_back(_Event(down ? InputEvent::MouseDown : InputEvent::MouseUp, info->window));
}

void SdlEventTranslator::_Wheel(const SDL_MouseWheelEvent& wheel, EventList* out)
{
	const WindowInfo* info = _Find(wheel.windowID);
	if (info == nullptr)
		return;
	SetPointer(info->frame.left + wheel.mouseX, info->frame.top + wheel.mouseY, fHeldButtons);
	InputEvent event = _Event(InputEvent::Wheel, info->window);
	// SDL counts upwards as positive; the platform counts downwards.
	event.deltaX = wheel.preciseX != 0 ? wheel.preciseX : (float)wheel.x;
	event.deltaY = -(wheel.preciseY != 0 ? wheel.preciseY : (float)wheel.y);
	if (event.deltaX == 0 && event.deltaY == 0)
		return;
	out->push_back(event);
}

void SdlEventTranslator::_Window(const SDL_WindowEvent& window, EventList* out)
{
	auto found = fWindows.find(window.windowID);
	if (found == fWindows.end())
		return;
	WindowInfo& info = found->second;
	InputEvent::Type type;
	switch (window.event) {
	case SDL_WINDOWEVENT_CLOSE:
		type = InputEvent::CloseRequested;
		break;
	case SDL_WINDOWEVENT_EXPOSED:
		type = InputEvent::Exposed;
		break;
	case SDL_WINDOWEVENT_FOCUS_GAINED:
	case SDL_WINDOWEVENT_FOCUS_LOST:
		_Focus(info, window.event == SDL_WINDOWEVENT_FOCUS_GAINED, out);
		return;
	case SDL_WINDOWEVENT_LEAVE:
		type = InputEvent::MouseLeft;
		break;
	case SDL_WINDOWEVENT_MOVED:
		type = InputEvent::WindowMoved;
		info.frame =
		    info.frame.OffsetByCopy(window.data1 - info.frame.left, window.data2 - info.frame.top);
		break;
	case SDL_WINDOWEVENT_SIZE_CHANGED:
	case SDL_WINDOWEVENT_RESIZED:
		if (window.data1 <= 0 || window.data2 <= 0)
			return;
		info.frame.right = info.frame.left + window.data1 - 1;
		info.frame.bottom = info.frame.top + window.data2 - 1;
		// SDL follows every resize with SIZE_CHANGED, including those the backend made;
		// RESIZED alone comes from the user or the display server.
		if (window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
			return;
		type = InputEvent::WindowResized;
		break;
	default:
		return;
	}
	_FlushFocusLoss(out);
	InputEvent event = _Event(type, info.window);
	event.left = info.frame.left;
	event.top = info.frame.top;
	event.width = info.frame.PixelWidth();
	event.height = info.frame.PixelHeight();
	out->push_back(event);
}

void SdlEventTranslator::_Focus(const WindowInfo& info, bool gained, EventList* out)
{
	if (info.avoidFocus) {
		// The display server gave the focus to a menu or a tip; the backend hands it back
		// to the window that lost it, which therefore stays active all along.
		if (gained && fFocusLoss.has_value()) {
			fKeptFocus = fFocusLoss->window;
			fFocusLoss.reset();
		}
		return;
	}
	if (!gained) {
		_FlushFocusLoss(out);
		fFocusLoss = _Event(InputEvent::WindowDeactivated, info.window);
		return;
	}
	if (fKeptFocus.has_value()) {
		backend_window_id kept = *fKeptFocus;
		fKeptFocus.reset();
		if (kept == info.window)
			return;
		_FlushFocusLoss(out);
		out->push_back(_Event(InputEvent::WindowDeactivated, kept));
	}
	if (fFocusLoss.has_value() && fFocusLoss->window == info.window) {
		fFocusLoss.reset();
		return;
	}
	_FlushFocusLoss(out);
	out->push_back(_Event(InputEvent::WindowActivated, info.window));
}

} // namespace BPrivate
