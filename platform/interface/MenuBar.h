// The row of menu titles at the top of a window. Pressing a title opens its menu below it;
// the menus then stay open for clicks or follow a drag, and the pointer moving along the bar
// opens the other titles' menus. The first bar added to a window becomes its key menu bar:
// the window hands it the Command shortcuts of its items (an item with the shortcut Ctrl+Q
// and no target sends its message to the window) and F10 opens its first menu.
//
// Opening the menus calls the window's MenusBeginning, closing them MenusEnded; the chosen
// item is marked (in radio mode) and invoked in the bar's window thread after the menus
// closed.
#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>
#include <Messenger.h>

enum menu_bar_border {
	B_BORDER_FRAME,
	B_BORDER_CONTENTS,
	B_BORDER_EACH_ITEM,
};

namespace BPrivate {
class MenuTracker;
}

class BMenuBar : public BMenu {
public:
	// A bar that resizes to fit takes the height of its titles and, when it follows both
	// sides of its parent, the parent's width.
	BMenuBar(BRect frame, const char* name,
	         uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
	         menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
	// The menu's fields and "_border".
	explicit BMenuBar(BMessage* archive);
	// Ends a session that shows its menus.
	~BMenuBar() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void WindowActivated(bool active) override;
	void MessageReceived(BMessage* message) override;

	virtual void SetBorder(menu_bar_border border);
	menu_bar_border Border() const { return fBorder; }

	// Opens the menu of the title at menuIndex as the keyboard does (Alt+F for "File(F)",
	// F10 for the first): with showMenu its menu opens with the first item selected,
	// without it only the title is highlighted until Down or Enter. The menus stay open
	// until closed either way; specialRect is not used.
	void StartMenuBar(int32 menuIndex, bool sticky = true, bool showMenu = false,
	                  BRect* specialRect = nullptr);

protected:
	void LayoutChanged() override;

	// Whether a session of this bar shows its menus now.
	bool IsTracking() const { return fSessionOpen; }
	// Opens the menus on the title: from a press still held at the point (screen), or from
	// the keyboard (an item selected at once), showing the title's menu or only its title.
	bool _StartSession(int32 index, bool showMenu, bool keyboard, bool pressHeld,
	                   BPoint pressPoint);
	// The title that shows its menu open (-1: none).
	int32 OpenTitle() const { return fOpenTitle; }

private:
	friend class BPrivate::MenuTracker;

	void _InitBar();
	void _ItemListChanged() override;
	// Where the menu of a title opens: below the title, at least so wide.
	virtual void _GetMenuAnchor(int32 index, BRect* anchor, float* minWidth);
	virtual bool _IsField() const { return false; }
	void _SessionEnded(BMessage* message);
	// The session is over for this bar: the title closes and the window hears it.
	void _FinishSession();
	// Tells the open session that the titles it knows are no more.
	void _AbandonSession();
	void _SetOpenTitle(int32 index);

	menu_bar_border fBorder;
	BMessenger fRoot;
	bool fSessionOpen;
	int32 fOpenTitle;
};

#endif
