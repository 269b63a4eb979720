// A display backend without a display: every window is a framebuffer in memory, the screen
// has a size that tests choose, and input is injected by calling the Inject methods, which
// behave as a display server does (the topmost window under the pointer gets a press; the
// window that got the press gets the moves and the release until every button is up; keys go
// to the window with the keyboard focus). The injected events take the same path into the
// desktop as real input does.
//
// Every presented frame is counted, so that tests can wait for the frame that follows their
// input; with GLOWPLATE_DUMP_FRAMES=DIR each presented frame is also written there as a PNG.
// GLOWPLATE_SCREEN=WIDTHxHEIGHT sets the screen size (1280 x 1024 by default).
#ifndef _HEADLESS_BACKEND_H
#define _HEADLESS_BACKEND_H

#include <condition_variable>
#include <map>
#include <mutex>

#include "DisplayBackend.h"

namespace BPrivate {

class HeadlessBackend : public DisplayBackend {
public:
	HeadlessBackend();
	~HeadlessBackend() override;

	const char* Name() const override { return "headless"; }
	status_t Start(InputSink* sink, std::string* error) override;
	void Stop() override;

	backend_window_id CreateWindow(const WindowSpec& spec) override;
	void DestroyWindow(backend_window_id window) override;
	void SetTitle(backend_window_id window, const std::string& title) override;
	void MoveWindow(backend_window_id window, int32 left, int32 top) override;
	void ResizeWindow(backend_window_id window, int32 width, int32 height) override;
	void SetSizeLimits(backend_window_id window, int32 minWidth, int32 maxWidth, int32 minHeight,
	                   int32 maxHeight) override;
	void ShowWindow(backend_window_id window) override;
	void HideWindow(backend_window_id window) override;
	void ActivateWindow(backend_window_id window) override;
	void RaiseWindow(backend_window_id window) override;
	void Present(backend_window_id window, const graphics::PixelBuffer& frame,
	             const std::vector<graphics::IntRect>& dirty) override;
	graphics::IntRect ScreenFrame() const override;
	void GetPointer(float* x, float* y, uint32* buttons) const override;
	uint32 Modifiers() const override;
	void StartTextInput(backend_window_id window, const graphics::IntRect& caret) override;
	void StopTextInput(backend_window_id window) override;
	std::string ClipboardText() const override;
	void SetClipboardText(const std::string& text) override;

	// The screen's size in pixels.
	void SetScreenSize(int32 width, int32 height);

	// Input, in screen pixels. Presses and releases change the held buttons; the modifiers
	// given are those held during the event (and become the backend's modifier state).
	void InjectMouseMove(float x, float y);
	void InjectMouseDown(float x, float y, uint32 button, uint32 modifiers = 0);
	void InjectMouseUp(float x, float y, uint32 button, uint32 modifiers = 0);
	void InjectWheel(float deltaX, float deltaY);
	// A key with the platform's key code, its unmodified character and the bytes it types;
	// a key down followed by its key up.
	void InjectKey(int32 key, int32 rawChar, const std::string& bytes, uint32 modifiers = 0,
	               bool repeat = false);
	void InjectKeyDown(int32 key, int32 rawChar, const std::string& bytes, uint32 modifiers,
	                   bool repeat);
	void InjectKeyUp(int32 key, int32 rawChar, const std::string& bytes, uint32 modifiers);
	void InjectModifiers(uint32 modifiers);
	// The input method: a pre-edit (empty clears it) and a commit, to the focused window.
	void InjectPreedit(const std::string& text, int32 selectionStart, int32 selectionEnd);
	void InjectCommit(const std::string& text);
	// The user clicked the window's close box, or resized or moved it by its frame.
	void InjectCloseRequest(backend_window_id window);
	void InjectUserResize(backend_window_id window, int32 width, int32 height);
	void InjectUserMove(backend_window_id window, int32 left, int32 top);
	// Another program put text on the system clipboard.
	void InjectClipboard(const std::string& text);

	// What the screen shows of a window.
	struct WindowState {
		WindowSpec spec;
		bool visible = false;
		int32 minWidth = 1, maxWidth = 1 << 20, minHeight = 1, maxHeight = 1 << 20;
		std::vector<uint8> pixels; // width x height x 4, B_RGBA32 byte order
		uint64 frames = 0;         // frames presented so far
	};
	// A copy of the window's state; false when there is no such window.
	bool GetWindow(backend_window_id window, WindowState* state) const;
	// The visible windows, topmost first.
	std::vector<backend_window_id> VisibleWindows() const;
	backend_window_id FocusedWindow() const;
	bool TextInputActive(graphics::IntRect* caret = nullptr) const;
	// Frames presented by all windows so far; WaitForFrames waits (up to the timeout, in
	// microseconds) until the count exceeds `count`. False on timeout.
	uint64 PresentedFrames() const;
	bool WaitForFrames(uint64 count, bigtime_t timeout) const;

private:
	struct Window : WindowState {};

	backend_window_id _WindowAt(float x, float y) const;
	void _Deliver(InputEvent& event);
	// A key event for the window with the keyboard focus; nothing when none has it.
	void _InjectKeyEvent(InputEvent::Type type, int32 key, int32 rawChar,
	                     const std::string& bytes, uint32 modifiers, bool repeat);
	void _SetFocus(backend_window_id window);
	void _DumpFrame(backend_window_id window, const Window& state);

	mutable std::mutex fLock;
	mutable std::condition_variable fFramesChanged;
	InputSink* fSink = nullptr;
	std::map<backend_window_id, Window> fWindows;
	std::vector<backend_window_id> fStacking; // bottom first
	backend_window_id fNextId = 1;
	backend_window_id fFocus = -1;
	backend_window_id fPressWindow = -1; // the implicit grab of a press
	int32 fScreenWidth = 1280;
	int32 fScreenHeight = 1024;
	float fPointerX = 0;
	float fPointerY = 0;
	uint32 fButtons = 0;
	uint32 fModifiers = 0;
	backend_window_id fPointerWindow = -1;
	bool fTextInput = false;
	graphics::IntRect fCaret;
	bool fPreedit = false;
	std::string fClipboard;
	uint64 fFrames = 0;
	std::string fDumpFolder;
};

} // namespace BPrivate

#endif
