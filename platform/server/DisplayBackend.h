// The one interface between windows and a screen. A backend shows top-level windows (every
// BWindow is one: documents, alerts, panels, menus, tool tips), takes finished frames from
// them, and reports the user's input, the screen, the pointer, the keyboard modifiers and the
// clipboard. The interface kit's desktop (Desktop.h) is the only caller: it creates the
// backend, turns the input events into the platform's messages and posts them to windows.
//
// Threads. A backend may run a thread of its own (SDL must be called from one thread only).
// Every method may be called from any thread and never waits for a window: calls that change
// a window are queued for the backend's thread, Present copies the frame before it returns,
// and the clipboard is read from a copy the backend keeps current. Input is handed to the
// sink from the backend's thread (or from the injecting thread of a headless test); the sink
// must not block.
//
// Geometry is in whole screen pixels. A window's frame is its content area (decorations are
// the display server's), as a left-top corner and a size in pixels.
#ifndef _DISPLAY_BACKEND_H
#define _DISPLAY_BACKEND_H

#include <memory>
#include <string>
#include <vector>

#include <SupportDefs.h>

#include <IntRect.h>
#include <PixelBuffer.h>

namespace BPrivate {

typedef int32 backend_window_id;

// What a window is for; the backend maps it to what the display server offers.
enum class WindowKind {
	Normal,    // a document or dialog window with a title bar
	Modal,     // a dialog that blocks the application's other windows; stays above them
	Floating,  // a palette that stays above the application's normal windows
	PopUpMenu, // a borderless menu in screen coordinates; never decorated
	ToolTip,   // a borderless tip; never takes the focus
	Bordered,  // a thin-bordered window without a title (a suggestion strip)
};

struct WindowSpec {
	WindowKind kind = WindowKind::Normal;
	std::string title;
	int32 left = 0;
	int32 top = 0;
	int32 width = 1;
	int32 height = 1;
	bool resizable = true;
	bool closable = true;
	// Never given the keyboard focus (tool tips, suggestion strips).
	bool avoidFocus = false;
	// The window a modal or floating window belongs to, or -1.
	backend_window_id parent = -1;

	// Whether the screen point (pixel centres on whole numbers) lies on one of the window's
	// pixels.
	bool Contains(float x, float y) const
	{
		return x >= left - 0.5f && x < left + width - 0.5f && y >= top - 0.5f &&
		       y < top + height - 0.5f;
	}
};

// One input event, already in the platform's terms (modifier masks, key codes, UTF-8 bytes),
// so that every backend feeds the same translation into messages.
struct InputEvent {
	enum Type {
		MouseDown,
		MouseUp,
		MouseMoved,
		// The pointer left the window's content area.
		MouseLeft,
		Wheel,
		KeyDown,
		KeyUp,
		ModifiersChanged,
		// The input method's pre-edit text changed (text empty: the pre-edit was cleared).
		PreeditChanged,
		// The input method committed text.
		TextCommitted,
		WindowActivated,
		WindowDeactivated,
		// The user asked to close the window (its close box).
		CloseRequested,
		// The user (or the display server) moved or resized the window; left, top, width and
		// height hold the new frame.
		WindowMoved,
		WindowResized,
		// The window's pixels were lost (an expose); the last frame is shown again by the
		// backend itself, so this only asks for a full redraw when the backend has none.
		Exposed,
	};

	Type type = MouseMoved;
	backend_window_id window = -1;
	bigtime_t when = 0;
	// Pointer in screen pixels; buttons as the platform's masks (B_PRIMARY_MOUSE_BUTTON ...).
	float x = 0;
	float y = 0;
	uint32 buttons = 0;
	// The platform's modifier mask, read from the event itself.
	uint32 modifiers = 0;
	// Keys: the platform's key code, the character the key gives without modifiers (lower
	// case for letters), the UTF-8 bytes it types, and whether it is an automatic repeat.
	int32 key = 0;
	int32 rawChar = 0;
	std::string bytes;
	bool repeat = false;
	// Wheel: steps, positive downwards and to the right.
	float deltaX = 0;
	float deltaY = 0;
	// Input method: the pre-edit or committed text, and the selection within the pre-edit
	// as byte offsets.
	std::string text;
	int32 selectionStart = 0;
	int32 selectionEnd = 0;
	// Window frame events.
	int32 left = 0;
	int32 top = 0;
	int32 width = 0;
	int32 height = 0;
};

class InputSink {
public:
	virtual ~InputSink() = default;
	virtual void HandleInput(const InputEvent& event) = 0;
};

class DisplayBackend {
public:
	virtual ~DisplayBackend() = default;

	// Chooses the backend as the environment asks: GLOWPLATE_BACKEND=headless or sdl, else
	// SDL where DISPLAY or WAYLAND_DISPLAY is set. Null, with a message for the user in
	// *error, when there is no display and no explicit choice, or SDL cannot start.
	static std::unique_ptr<DisplayBackend> Create(std::string* error);

	// "headless" or "sdl".
	virtual const char* Name() const = 0;
	// Starts the backend (its thread, the connection to the display); input goes to the
	// sink from now on. B_OK or an error with a message in *error.
	virtual status_t Start(InputSink* sink, std::string* error) = 0;
	// Closes every window and ends the backend's thread. No input is delivered afterwards.
	virtual void Stop() = 0;

	// Windows are created hidden.
	virtual backend_window_id CreateWindow(const WindowSpec& spec) = 0;
	virtual void DestroyWindow(backend_window_id window) = 0;
	virtual void SetTitle(backend_window_id window, const std::string& title) = 0;
	virtual void MoveWindow(backend_window_id window, int32 left, int32 top) = 0;
	virtual void ResizeWindow(backend_window_id window, int32 width, int32 height) = 0;
	// Limits for resizing by the user, in pixels.
	virtual void SetSizeLimits(backend_window_id window, int32 minWidth, int32 maxWidth,
	                           int32 minHeight, int32 maxHeight) = 0;
	virtual void ShowWindow(backend_window_id window) = 0;
	virtual void HideWindow(backend_window_id window) = 0;
	// Raises the window and gives it the keyboard focus (also where no window manager
	// would), unless it was created with avoidFocus. The backend reports the change as
	// WindowActivated and WindowDeactivated events.
	virtual void ActivateWindow(backend_window_id window) = 0;
	virtual void RaiseWindow(backend_window_id window) = 0;

	// Copies the dirty rectangles of the frame (the window's whole content, of the window's
	// current size) and shows them. Rectangles outside the frame are clipped.
	virtual void Present(backend_window_id window, const graphics::PixelBuffer& frame,
	                     const std::vector<graphics::IntRect>& dirty) = 0;

	// The main screen's frame in pixels (left and top are 0).
	virtual graphics::IntRect ScreenFrame() const = 0;
	// Where the pointer is, in screen pixels, and which buttons are down.
	virtual void GetPointer(float* x, float* y, uint32* buttons) const = 0;
	// The keyboard modifiers held at this moment (the platform's mask).
	virtual uint32 Modifiers() const = 0;

	// Text input with the input method, for a window whose focused view takes text. The
	// rectangle (screen pixels) is the caret's; the input method places its candidate box
	// there. Calling Start again with another rectangle moves the box.
	virtual void StartTextInput(backend_window_id window, const graphics::IntRect& caret) = 0;
	virtual void StopTextInput(backend_window_id window) = 0;

	// The system clipboard's text: a copy kept current by the backend, so reading never
	// blocks; writing is handed to the backend's thread.
	virtual std::string ClipboardText() const = 0;
	virtual void SetClipboardText(const std::string& text) = 0;
};

} // namespace BPrivate

#endif
