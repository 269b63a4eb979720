// What the menu classes share among themselves and with their pop-up windows: the messages a
// menu session sends, the geometry of items, and the text of a shortcut.
#ifndef _MENU_PRIVATE_H
#define _MENU_PRIVATE_H

#include <string>

#include <Looper.h>
#include <SupportDefs.h>

class BMenu;
class BMenuItem;

namespace BPrivate {

enum : uint32 {
	// To a menu bar: the session it started is over; "item" (pointer) is the chosen item,
	// absent when nothing was chosen.
	kMsgMenuSessionEnded = '_MSE',
	// To a menu bar: the session shows the title "index" as open (-1: none).
	kMsgMenuBarSelect = '_MBS',
	// To a session's root window: start, end (nothing chosen), and its own timers.
	kMsgMenuStart = '_MST',
	kMsgMenuEnd = '_MEN',
	// To a session's root window: an open menu changed or went; what no longer hangs from
	// the item selected in the menu before it closes.
	kMsgMenuPrune = '_MPR',
	kMsgMenuAutoScroll = '_MAS',
	kMsgMenuHoverTimeout = '_MHT',
};

// Geometry of menus, in pixels.
struct MenuMetrics {
	// Around the items of a pop-up menu: the border and the space inside it.
	static constexpr float kBorder = 1;
	static constexpr float kVerticalPad = 2;
	// Space above and below an item's text.
	static constexpr float kItemPad = 3;
	// The column left of the labels that holds the check marks.
	static constexpr float kMarkColumn = 20;
	// Between a label and its shortcut, and after the shortcut or label.
	static constexpr float kShortcutGap = 24;
	static constexpr float kRightPad = 10;
	// The column at the right for the arrow of an item with a submenu.
	static constexpr float kArrowColumn = 18;
	static constexpr float kSeparatorHeight = 8;
	// Space left and right of a title in a menu bar.
	static constexpr float kTitlePad = 8;
	// The scroll arrows of a menu taller than the screen.
	static constexpr float kScrollArrowHeight = 16;
};

// How the user sees a shortcut: "Ctrl+Q", "Ctrl+Shift+S" (Command is Ctrl, Control is Alt,
// Option is Super on this platform).
std::string shortcut_label(uint32 key, uint32 modifiers);

// Whether the item is in the menu or in one of its submenus, at any depth: an item chosen in
// one thread is only used in another once it is known to be still there.
bool menu_tree_contains(BMenu* menu, BMenuItem* item);

// Holds the lock of the window a menu is shown in while the menu's items change, so that the
// thread of an open menu never sees them half changed. A menu shown nowhere needs no lock.
class MenuLocker {
public:
	explicit MenuLocker(const BMenu* menu);
	~MenuLocker();

	MenuLocker(const MenuLocker&) = delete;
	MenuLocker& operator=(const MenuLocker&) = delete;

private:
	BLooper* fLooper;
};

} // namespace BPrivate

#endif
