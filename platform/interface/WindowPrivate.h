// What the other parts of the interface kit (and the test driver) may ask of a window beyond
// the platform's own interface: its backend id and host, the text input of the focused view,
// and a barrier that returns once the window has handled everything sent before it and shown
// the result.
#ifndef _WINDOW_PRIVATE_H
#define _WINDOW_PRIVATE_H

#include <Rect.h>
#include <SupportDefs.h>

class BButton;
class BMenuBar;
class BView;
class BWindow;

namespace BPrivate {

class WindowHost;

// The menu kit handles the Command shortcuts of a window's key menu bar: true when an item
// took the key (a lower-case character) with these held modifiers besides Command.
typedef bool (*menu_bar_shortcut_hook)(BMenuBar* bar, uint32 key, uint32 modifiers);
extern menu_bar_shortcut_hook gMenuBarShortcutHook;
// The menu kit opens the first menu of a window's key menu bar when F10 is pressed.
typedef void (*menu_bar_open_hook)(BMenuBar* bar);
extern menu_bar_open_hook gMenuBarOpenHook;
// The button kit clicks a window's default button when Enter reaches no view that wants it.
typedef void (*default_button_hook)(BButton* button);
extern default_button_hook gDefaultButtonHook;

// Whether the message is input for the focused view: keys, modifiers, the input method.
bool is_focus_input(uint32 what);

enum : uint32 {
	// Redraw what was invalidated (posted to a window by other threads and by the desktop).
	kMsgUpdate = '_UPD',
	// Redraw, show, and reply: the barrier of Sync().
	kMsgSync = '_SYN',
};

class WindowAccess {
public:
	static int32 BackendId(const BWindow* window);
	static WindowHost* Host(const BWindow* window);
	// A view left the window or was hidden: it stops being the focus, the default button,
	// the view under the pointer and the view holding a press.
	static void ViewGone(BWindow* window, BView* view);
	// The focused view takes text: the input method's candidate box goes to the caret
	// (view coordinates).
	static void SetTextInputCaret(BWindow* window, BView* view, BRect caret);
	// A menu took the pointer while a press was held in this window: the press ends here
	// without a release (the menu gets it), and the next press starts afresh.
	static void EndPointerGrab(BWindow* window);
	// Sends the barrier and waits for its answer (up to the timeout); B_OK once the window
	// has dispatched everything sent before and presented its frame.
	static status_t Sync(BWindow* window, bigtime_t timeout = 10000000);
};

} // namespace BPrivate

#endif
