// The application's side of the display: it owns the display backend, knows every window of
// the application by its backend id, and turns the backend's input events into the platform's
// messages, which it posts to the windows. Everything that needs to see more than one window
// lives here: which window a press, a drop or a menu click belongs to (by the screen position,
// since the display server reports a release to the window where the press began), how many
// clicks a press counts, the message being dragged, the pop-up menus and the modal windows.
//
// The desktop starts with the application object and ends with it. It never waits for a
// window: it posts, and a window whose queue is full misses a pointer move, never a press.
#ifndef _DESKTOP_H
#define _DESKTOP_H

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <Message.h>
#include <Messenger.h>
#include <Rect.h>

#include <DisplayBackend.h>

class BWindow;

namespace BPrivate {

class HeadlessBackend;

class Desktop : public InputSink {
public:
	// Starts the backend the environment chooses. Without a usable display the program
	// cannot show anything: the message goes to standard error and the process ends with
	// status 1, as the user would expect of a program started without a screen.
	static Desktop* Start();
	static void Stop();
	// The running desktop, or null.
	static Desktop* Current();

	DisplayBackend* Backend() const { return fBackend.get(); }
	// The backend as a headless one (for tests), or null.
	HeadlessBackend* Headless() const;

	// Windows. A window registers when it is made and unregisters when it goes; the desktop
	// keeps its frame (screen pixels), visibility and kind for hit-testing.
	backend_window_id AddWindow(BWindow* window, const WindowSpec& spec);
	void RemoveWindow(backend_window_id id);
	void SetWindowFrame(backend_window_id id, int32 left, int32 top, int32 width, int32 height);
	void SetWindowVisible(backend_window_id id, bool visible);
	// The window, if it is still registered, as a messenger.
	BMessenger WindowMessenger(backend_window_id id) const;
	// The application's visible window at the screen point, topmost first, or -1.
	backend_window_id WindowAt(float x, float y) const;
	// The screen frame of the visible window that has the keyboard; false when none has.
	bool FocusedWindowFrame(BRect* frame) const;

	// Dragging: the message (copied) travels with the pointer until the buttons are released.
	void StartDrag(backend_window_id source, const BMessage& message, BRect screenRect);
	bool IsDragging() const;

	// While a pop-up menu is open every pointer event and every key goes to it (or to the
	// window given), whatever window the display server reports them to.
	void SetInputGrab(backend_window_id window);
	void ReleaseInputGrab(backend_window_id window);

	void HandleInput(const InputEvent& event) override;

	// The multiple-click rules: presses of the same buttons in the same window within this
	// time and distance of the previous one count up.
	static constexpr bigtime_t kClickSpeed = 500000;
	static constexpr float kClickDistance = 4;

private:
	struct WindowRecord {
		BMessenger messenger;
		WindowSpec spec;
		bool visible = false;
	};

	Desktop(std::unique_ptr<DisplayBackend> backend);
	~Desktop() override;

	backend_window_id _WindowAt(float x, float y) const;
	backend_window_id _NextFocus(backend_window_id leaving) const;
	bool _Blocked(backend_window_id target) const;
	void _Post(backend_window_id id, BMessage* message) const;
	void _PostPointer(const InputEvent& event, backend_window_id target, uint32 what);
	void _HandlePointer(const InputEvent& event);
	void _HandleKey(const InputEvent& event);
	void _HandleInputMethod(const InputEvent& event);
	void _HandleWindowEvent(const InputEvent& event);
	void _Drop(const InputEvent& event);
	void _AddPointerFields(BMessage* message, const InputEvent& event, backend_window_id target,
	                       const WindowRecord& record) const;

	std::unique_ptr<DisplayBackend> fBackend;
	mutable std::mutex fLock;
	std::map<backend_window_id, WindowRecord> fWindows;
	std::vector<backend_window_id> fStacking; // bottom first

	// Click counting.
	bigtime_t fLastClickTime = 0;
	float fLastClickX = 0, fLastClickY = 0;
	uint32 fLastClickButtons = 0;
	backend_window_id fLastClickWindow = -1;
	int32 fClicks = 0;

	// The window that got the press being held, or kPressWindowGone when it went meanwhile.
	static constexpr backend_window_id kPressWindowGone = -2;
	backend_window_id fPressWindow = -1;
	backend_window_id fHoverWindow = -1;
	backend_window_id fGrab = -1;
	backend_window_id fFocus = -1;
	uint32 fModifiers = 0;
	bool fPreedit = false;

	std::unique_ptr<BMessage> fDragMessage;
	backend_window_id fDragSource = -1;
};

} // namespace BPrivate

#endif
