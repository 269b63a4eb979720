// The borderless pop-up window that shows one open menu: the menu is its view while it is
// open. The window is placed below a menu bar title or a menu field, beside the item whose
// submenu it shows, or at a point, always on the screen; a menu taller than the room it has
// scrolls, with an arrow at the top and one at the bottom.
//
// The first window of a menu session (the root) also runs the session: the desktop sends it
// every pointer event and key while the session lasts, and its MenuTracker decides what they
// mean. The other windows of the session take no input; the root locks them to change them,
// always from the shallower menu to the deeper one, and their own threads only draw.
#ifndef _MENU_WINDOW_H
#define _MENU_WINDOW_H

#include <memory>

#include <Messenger.h>
#include <Window.h>

class BMenu;
class BMenuItem;

namespace BPrivate {

class MenuTracker;

class MenuWindow : public BWindow {
public:
	explicit MenuWindow(const char* title);
	// Gives the menu back to its owner before the views go.
	~MenuWindow() override;

	// Makes this window the root of a session; before the window runs.
	void SetTracker(std::unique_ptr<MenuTracker> tracker);
	MenuTracker* Tracker() const { return fTracker.get(); }
	// Where a window of a submenu reports that its menu changed or went.
	void SetRoot(const BMessenger& root) { fRoot = root; }

	void AttachMenu(BMenu* menu);
	BMenu* DetachMenu();
	BMenu* Menu() const { return fMenu; }
	// From the menu's destructor, with this window locked: the menu is leaving.
	void MenuGone(BMenu* menu);
	// The menu's items changed while it is open: the window takes its new size.
	void MenuLayoutChanged();

	// Placement in screen coordinates. Below: under the rectangle (above it when there is
	// more room there), at least minWidth wide. Beside: to the right of the parent menu
	// with the first item level with the item (to the left when there is no room).
	void PlaceBelow(BRect anchor, float minWidth);
	void PlaceBeside(BRect item, BRect parent);
	void PlaceAt(BPoint where);

	// -1 over the upper scroll arrow, 1 over the lower one, 0 elsewhere (screen point).
	int32 ArrowAt(BPoint screenPoint) const;
	// Scrolls the menu by so many pixels, as far as it goes; false when it did not move.
	bool Scroll(float delta);
	void ScrollToShow(BMenuItem* item);
	// The height of one item, the step of the arrows, the wheel and the page keys.
	float ScrollStep() const;
	float VisibleHeight() const;

	void DispatchMessage(BMessage* message, BHandler* handler) override;
	bool QuitRequested() override;

protected:
	BHandler* DetermineTarget(BMessage* message, BHandler* target) override;
	bool InterceptMessage(BMessage* message, BHandler* target) override;

private:
	void _Fit();
	void _KeepOnScreen();
	void _ReportToRoot();

	BMenu* fMenu;
	BView* fUpArrow;
	BView* fDownArrow;
	float fMinWidth;
	// The most the window may be tall where it was placed.
	float fMaxHeight;
	bool fAttaching;
	BMessenger fRoot;
	std::unique_ptr<MenuTracker> fTracker;
};

} // namespace BPrivate

#endif
