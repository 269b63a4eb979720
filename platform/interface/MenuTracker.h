// What happens while menus are open: one session from the moment a menu bar title, a menu
// field or a pop-up menu opens until the user chooses an item or closes the menus. The
// session lives in its root window (MenuWindow), which the desktop gives every pointer event
// and key meanwhile; it opens and closes the windows of submenus, moves the selection, scrolls
// long menus, and at the end hands the chosen item back: to the menu bar that started it (by
// message, so that the item is marked and invoked in the bar's own thread) or to Go.
//
// Pointer rules: a press that opened the menus and is released without the pointer having
// gone into a menu leaves them open (click, then click an item); a press dragged onto an
// item and released there chooses it; a press outside every menu closes them all and reaches
// nothing else. Moving over an item with a submenu opens the submenu at once, unless the
// pointer is on its way to the submenu already open, in which case it waits for the pointer
// to rest. An item with a submenu and a message is chosen when clicked.
//
// Keys: the arrows move the selection (Left and Right also between the titles of a bar and
// into and out of submenus), Home, End and the page keys jump, Enter and Space choose, Escape
// closes the innermost menu, F10 closes them all, and a letter chooses the item it triggers.
#ifndef _MENU_TRACKER_H
#define _MENU_TRACKER_H

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include <Messenger.h>
#include <Rect.h>

class BMenu;
class BMenuItem;
class BMessage;
class BMessageRunner;

namespace BPrivate {

class MenuWindow;

// A title of the bar a session belongs to, as the bar was when the session began.
struct MenuBarTitle {
	BRect frame;  // where the title is (screen)
	BRect anchor; // what its menu opens below (screen)
	float minWidth = 0;
	BMenuItem* item = nullptr;
	BMenu* menu = nullptr;
	bool enabled = false;
};

// How a pop-up menu's session answers Go.
struct MenuGoState {
	std::mutex lock;
	std::condition_variable changed;
	bool done = false;
	BMenuItem* item = nullptr;
};

struct MenuSessionSetup {
	// A bar's session: the bar, its titles and the one to open.
	BMessenger bar;
	std::vector<MenuBarTitle> titles;
	int32 title = -1;
	// A menu field: its one title opens with the marked item selected.
	bool field = false;
	// A pop-up menu's session.
	BMenu* popUp = nullptr;
	BPoint where;
	bool deliversMessage = false;
	bool async = false;
	bool autoDelete = false;
	std::shared_ptr<MenuGoState> go;
	// Items without a target send here when the session invokes them.
	BMessenger defaultTarget;
	// How the session began: with the menu shown or only its title highlighted, from the
	// keyboard (an item is selected at once), or by a press still held (and where).
	bool showMenu = true;
	bool keyboard = false;
	bool pressHeld = false;
	BPoint pressPoint;
	// Whether a click (a press released before the pointer went into a menu) leaves the
	// menu open; a release inside clickToOpen always does.
	bool stayOpenOnClick = true;
	BRect clickToOpen;
};

class MenuTracker {
public:
	MenuTracker(MenuWindow* root, MenuSessionSetup setup);
	~MenuTracker();

	// Starts a session in a new root window, which takes the input grab at once; called in
	// the opener's thread. Any session still open ends. The root's messenger.
	static BMessenger StartSession(MenuSessionSetup setup, const char* name);

	// Every input and session message the root window receives.
	void HandleMessage(BMessage* message);
	// With the root locked: the bar's items changed, so its titles are stale; the session
	// ends without opening any of them again.
	void BarChanged();
	// The root window is being deleted: the session ends without a choice.
	void RootGone();

private:
	struct Hit {
		int32 level = -1;
		int32 index = -1;
		int32 arrow = 0;
	};

	// Levels: the open menus, level 0 in the root window.
	void _Start();
	void _OpenTitle(int32 title, bool selectItem);
	void _OpenSubmenu(int32 level, bool selectItem);
	void _CloseFrom(size_t level);
	void _Prune();
	void _Select(int32 level, int32 index, bool openSubmenu, bool selectInSubmenu = false);
	void _SelectInitial(int32 level);
	int32 _Deepest() const { return (int32)fLevels.size() - 1; }
	void _NotifyBar(int32 title);
	void _End(BMenuItem* chosen, bool rootGoing = false);
	// A press outside the menus: they close at once, and the session ends when the press
	// does, so that its release reaches nothing either.
	void _Dismiss();

	// Input (MenuTrackerPointer.cpp, MenuTrackerKeys.cpp).
	Hit _HitTest(BPoint screenPoint);
	int32 _TitleAt(BPoint screenPoint) const;
	void _MouseDown(BPoint where);
	void _MouseMoved(BPoint where);
	void _MouseUp(BPoint where);
	void _Hover(const Hit& hit, BPoint where);
	bool _TowardsSubmenu(int32 level, BPoint where);
	void _HoverTimeout();
	void _Wheel(BMessage* message);
	void _SetAutoScroll(int32 level, int32 direction);
	void _AutoScroll();
	void _ScrollLevel(int32 level, float delta);
	void _KeyDown(BMessage* message);
	void _Step(int32 level, int32 step);
	void _Jump(int32 level, int32 target, int32 direction);
	void _NextTitle(int32 step);
	void _Choose(int32 level, int32 index);
	void _ChooseByTrigger(uint32 character);
	void _DeselectDeepest();

	MenuWindow* fRoot;
	MenuSessionSetup fSetup;
	std::vector<BMessenger> fLevels;
	int32 fTitle;
	bool fBarValid;
	bool fOver;
	bool fDismissed;

	// The press in progress: whether it is the one that opened the menus, and whether the
	// pointer went into a menu since it began.
	bool fPressHeld;
	bool fOpeningPress;
	bool fEntered;
	BPoint fPressPoint;
	// Where the pointer was last, and last inside a menu (for the way to a submenu).
	BPoint fLastPoint;
	BPoint fTrailPoint;

	std::unique_ptr<BMessageRunner> fHoverRunner;
	std::unique_ptr<BMessageRunner> fScrollRunner;
	int32 fScrollLevel;
	int32 fScrollDirection;
};

} // namespace BPrivate

#endif
