// Turns SDL's events into the platform's input events. It knows where each window is (to give
// pointer positions in screen pixels), which buttons and modifiers are held, whether text
// input is on and whether the input method shows a pre-edit, and it settles what SDL 2.26
// leaves to the program:
//
// - A printable key press with text input on is followed by SDL_TEXTINPUT with what it typed.
//   The press is held back until that text arrives (or the queue runs dry: Flush) and then
//   reported once per typed character with those bytes, so it is neither lost nor doubled.
// - Keys that type nothing get no text from SDL; their bytes are built from the key.
// - X11 also sends text while Ctrl or Alt is held; that text is dropped, so Ctrl+Q is a
//   shortcut and never types "q". The right Alt key is AltGr on many layouts, though: text it
//   produces that differs from the key's own character is typed, without the Control bit.
// - Pre-edit offsets come from SDL in characters and leave here in bytes.
// - Windows that never take the focus report no focus changes, and a window that loses the
//   focus and gets it back at once (SDL gives every window it shows the focus when there is
//   no window manager; the backend hands it back) reports nothing.
//
// It is used by the backend's thread only, except the pointer and modifier state, which any
// thread may read.
#ifndef _SDL_EVENT_TRANSLATOR_H
#define _SDL_EVENT_TRANSLATOR_H

#include <atomic>
#include <optional>
#include <unordered_map>
#include <vector>

#include <DisplayBackend.h>

union SDL_Event;
struct SDL_KeyboardEvent;
struct SDL_MouseButtonEvent;
struct SDL_MouseMotionEvent;
struct SDL_MouseWheelEvent;
struct SDL_WindowEvent;

namespace BPrivate {

class SdlEventTranslator {
public:
	typedef std::vector<InputEvent> EventList;

	// Windows are known by SDL's window id; the frame is the content area in screen pixels.
	void AddWindow(uint32 sdlWindow, backend_window_id window, const graphics::IntRect& frame,
	               bool avoidFocus);
	void RemoveWindow(uint32 sdlWindow);
	// The backend moved or resized the window itself.
	void SetWindowFrame(uint32 sdlWindow, const graphics::IntRect& frame);
	bool GetWindowFrame(uint32 sdlWindow, graphics::IntRect* frame) const;

	// Whether SDL sends text for key presses (the backend started text input).
	void SetTextInputActive(bool active);

	// Appends what the event means to *out (often nothing).
	void Translate(const SDL_Event& event, EventList* out);
	// Reports a key press that is still waiting for its text and a focus loss that was not
	// taken back: SDL queues the text with the key and the focus events of one change
	// together, so once the queue is empty nothing more is coming for them.
	void Flush(EventList* out);
	// Whether a key press waits for its text, so the caller keeps reading the queue.
	bool WaitsForText() const { return fKeyPress.has_value() && !fKeyPressTyped; }

	// Any thread.
	uint32 Modifiers() const { return fModifiers.load(); }
	void GetPointer(float* x, float* y, uint32* buttons) const;
	void SetPointer(float x, float y, uint32 buttons);

private:
	struct WindowInfo {
		backend_window_id window;
		graphics::IntRect frame;
		bool avoidFocus;
	};

	const WindowInfo* _Find(uint32 sdlWindow) const;
	InputEvent _Event(InputEvent::Type type, backend_window_id window) const;

	void _Key(const SDL_KeyboardEvent& key, EventList* out);
	void _Text(uint32 sdlWindow, const char* text, size_t length, EventList* out);
	void _Preedit(uint32 sdlWindow, const char* text, size_t length, int32 start, int32 count,
	              EventList* out);
	void _TypeWithKeyPress(const std::string& text, EventList* out);
	void _MouseButton(const SDL_MouseButtonEvent& button, bool down, EventList* out);
	void _MouseMotion(const SDL_MouseMotionEvent& motion, EventList* out);
	void _Wheel(const SDL_MouseWheelEvent& wheel, EventList* out);
	void _Window(const SDL_WindowEvent& event, EventList* out);
	void _Focus(const WindowInfo& info, bool gained, EventList* out);
	void _FlushKeyPress(EventList* out);
	void _FlushFocusLoss(EventList* out);
	void _UpdateModifiers(uint32 modifiers, backend_window_id window, int32 key, EventList* out);

	std::unordered_map<uint32, WindowInfo> fWindows;
	bool fTextInputActive = false;
	bool fPreeditShown = false;
	// The key press that the next text belongs to, and whether text already came for it.
	std::optional<InputEvent> fKeyPress;
	bool fKeyPressTyped = false;
	std::optional<InputEvent> fFocusLoss;
	// The window whose focus a window that avoids it took, until it comes back.
	std::optional<backend_window_id> fKeptFocus;
	uint32 fHeldButtons = 0;
	std::atomic<uint32> fModifiers{0};
	std::atomic<float> fPointerX{0};
	std::atomic<float> fPointerY{0};
	std::atomic<uint32> fPointerButtons{0};
};

} // namespace BPrivate

#endif
