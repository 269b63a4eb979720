// A window on the screen: a looper with a thread of its own (started by the first Show) that
// owns a tree of views, draws them into its back buffer when parts of them are invalidated and
// hands the finished frames to the display backend, and receives the user's input as messages
// that it delivers to the right view: mouse messages to the view under the pointer (or to the
// view that a press went down on, until every button is up), keys to the focused view.
//
// Keys pass, in this order, the common filters, the window's Command shortcuts (those of the
// key menu bar's items first, then the window's own: Ctrl+Q asks the application to quit,
// Ctrl+W closes the window), the focused view's own filters and its KeyDown. Tab and Shift+Tab
// move the focus among navigable views and Enter clicks the default button; both are the
// default KeyDown of a view, so a filter or a view that wants these keys gets them first.
//
// A window is hidden when it is made; Show and Hide count, so a window hidden twice needs two
// shows. Frame() is the content area in screen coordinates, Bounds() the same area from (0, 0).
#ifndef _WINDOW_H
#define _WINDOW_H

#include <memory>
#include <string>
#include <vector>

#include <InterfaceDefs.h>
#include <Looper.h>
#include <Rect.h>

class BButton;
class BMenuBar;
class BMessage;
class BView;

namespace BPrivate {
class WindowAccess;
class WindowHost;
struct WindowShortcut;
} // namespace BPrivate

enum window_type {
	B_UNTYPED_WINDOW = 0,
	B_TITLED_WINDOW = 1,
	B_MODAL_WINDOW = 3,
	B_DOCUMENT_WINDOW = 11,
	B_BORDERED_WINDOW = 20,
	B_FLOATING_WINDOW = 21,
};

enum window_look {
	B_BORDERED_WINDOW_LOOK = 20,
	B_NO_BORDER_WINDOW_LOOK = 19,
	B_TITLED_WINDOW_LOOK = 1,
	B_DOCUMENT_WINDOW_LOOK = 11,
	B_MODAL_WINDOW_LOOK = 3,
	B_FLOATING_WINDOW_LOOK = 7,
};

enum window_feel {
	B_NORMAL_WINDOW_FEEL = 0,
	B_MODAL_SUBSET_WINDOW_FEEL = 2,
	B_MODAL_APP_WINDOW_FEEL = 1,
	B_MODAL_ALL_WINDOW_FEEL = 3,
	B_FLOATING_SUBSET_WINDOW_FEEL = 5,
	B_FLOATING_APP_WINDOW_FEEL = 4,
	B_FLOATING_ALL_WINDOW_FEEL = 6,
};

enum {
	B_NOT_MOVABLE = 0x00000001,
	B_NOT_CLOSABLE = 0x00000020,
	B_NOT_ZOOMABLE = 0x00000040,
	B_NOT_MINIMIZABLE = 0x00004000,
	B_NOT_RESIZABLE = 0x00000002,
	B_NOT_H_RESIZABLE = 0x00000004,
	B_NOT_V_RESIZABLE = 0x00000008,
	B_AVOID_FRONT = 0x00000080,
	B_AVOID_FOCUS = 0x00002000,
	B_WILL_ACCEPT_FIRST_CLICK = 0x00000010,
	B_OUTLINE_RESIZE = 0x00001000,
	B_NO_WORKSPACE_ACTIVATION = 0x00000100,
	B_NOT_ANCHORED_ON_ACTIVATE = 0x00020000,
	B_ASYNCHRONOUS_CONTROLS = 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE = 0x00100000,
	B_SAME_POSITION_IN_ALL_WORKSPACES = 0x00200000,
	B_AUTO_UPDATE_SIZE_LIMITS = 0x00400000,
	B_CLOSE_ON_ESCAPE = 0x00800000,
};

#define B_CURRENT_WORKSPACE 0
#define B_ALL_WORKSPACES 0xffffffff

class BWindow : public BLooper {
public:
	BWindow(BRect frame, const char* title, window_type type, uint32 flags,
	        uint32 workspace = B_CURRENT_WORKSPACE);
	BWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
	        uint32 workspace = B_CURRENT_WORKSPACE);
	// Deletes the views. Use Quit() rather than delete on a window that was shown.
	~BWindow() override;

	// From the window's own thread the window goes once the current message is done; from
	// another thread the window must be locked, and Quit returns when it is gone.
	void Quit() override;
	bool QuitRequested() override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;

	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void WindowActivated(bool active);
	virtual void Zoom(BPoint origin, float width, float height);
	virtual void MenusBeginning();
	virtual void MenusEnded();

	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	void Activate(bool active = true);
	bool IsActive() const { return fActive; }
	bool IsFront() const;

	BRect Frame() const { return fFrame; }
	BRect Bounds() const;
	void MoveTo(BPoint where);
	void MoveTo(float x, float y);
	void MoveBy(float dx, float dy);
	// Sizes in the platform's sense (width = right - left), kept within the size limits.
	void ResizeTo(float width, float height);
	void ResizeBy(float dx, float dy);
	// Limits for every resizing, the user's and the program's; the window is resized into
	// them at once.
	void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
	void GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight, float* maxHeight);

	void SetTitle(const char* title);
	const char* Title() const { return fTitle.c_str(); }
	window_look Look() const { return fLook; }
	window_feel Feel() const { return fFeel; }
	window_type Type() const;
	uint32 Flags() const { return fFlags; }
	status_t SetFlags(uint32 flags);
	uint32 Workspaces() const { return fWorkspaces; }

	// The view tree; the window's views have no parent view.
	void AddChild(BView* child, BView* before = nullptr);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* FindView(const char* name) const;
	// The deepest visible view at the point (window coordinates), or null.
	BView* FindView(BPoint point) const;

	BView* CurrentFocus() const { return fFocus; }
	BView* LastMouseMovedView() const;
	void SetDefaultButton(BButton* button);
	BButton* DefaultButton() const { return fDefaultButton; }
	// The menu bar whose items' shortcuts the window handles (the first one added).
	void SetKeyMenuBar(BMenuBar* bar);
	BMenuBar* KeyMenuBar() const { return fKeyMenuBar; }

	// Draws what was invalidated now and shows it; only from the window's thread.
	void UpdateIfNeeded();
	bool NeedsUpdate() const;
	void DisableUpdates();
	void EnableUpdates();
	// Shows whatever was drawn outside an update so far.
	void Sync() const;
	void Flush() const;

	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;

	// Command shortcuts: the key (a lower-case letter or the character) with Command (Ctrl)
	// and the modifiers given sends the message (the window owns it) to the target, or to the
	// window when no target is given.
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target);
	void RemoveShortcut(uint32 key, uint32 modifiers);
	bool HasShortcut(uint32 key, uint32 modifiers);

	BWindow(const BWindow&) = delete;
	BWindow& operator=(const BWindow&) = delete;

protected:
	BHandler* DetermineTarget(BMessage* message, BHandler* target) override;
	bool InterceptMessage(BMessage* message, BHandler* target) override;
	void MessageDispatched() override;

private:
	friend class BView;
	friend class BPrivate::WindowHost;
	friend class BPrivate::WindowAccess;

	void _Init(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
	           uint32 workspace);
	void _ApplySize(int32 pixelWidth, int32 pixelHeight);
	void _SetFocus(BView* view);
	void _UpdateTextInput();
	void _Update();
	void _PresentDirect();
	void _RequestUpdate();
	// Input.
	BView* _MouseTarget(BMessage* message);
	void _FanOutMoved(BMessage* message);
	void _HandleMouseDown(BView* view, BMessage* message);
	void _HandleMouseUp(BView* view, BMessage* message);
	bool _HandleCommandKey(BMessage* message);
	void _HandleDefaultKeys(BMessage* message);
	void _Navigate(bool backwards);
	void _Activated(bool active);
	void _ViewRemoved(BView* view);
	BView* _ViewFor(int32 token) const;
	void _DeliverMoved(BView* view, const BMessage* message, uint32 transit);

	BRect fFrame;
	std::string fTitle;
	window_look fLook;
	window_feel fFeel;
	uint32 fFlags;
	uint32 fWorkspaces;
	int32 fShowLevel;
	bool fActive;
	float fMinWidth, fMaxWidth, fMinHeight, fMaxHeight;
	int32 fBackendId;

	std::unique_ptr<BPrivate::WindowHost> fHost;
	BView* fFocus;
	BButton* fDefaultButton;
	BMenuBar* fKeyMenuBar;
	std::vector<std::unique_ptr<BPrivate::WindowShortcut>> fShortcuts;

	// Mouse state: the view the pointer was last over, the view a press grabbed (both
	// remembered by handler token, since either may be deleted in a hook), the buttons held.
	int32 fMouseViewToken;
	int32 fGrabViewToken;
	uint32 fGrabOptions;
	uint32 fButtons;
	bool fTextInputOn;
	bigtime_t fLastUpdate;
	// Views that asked for every pointer event for good (SetEventMask), by token.
	std::vector<int32> fPointerListeners;
};

#endif
