// A list of items that the user chooses from. A menu is a view: a menu bar shows its items in
// a row inside a window; any other menu is shown in a pop-up window of its own while it is
// open (below its menu bar title or menu field, beside the item whose submenu it is, or where
// a pop-up menu is asked to go), and is not in any window otherwise.
//
// The menu owns its items. While it is open, the window that shows it guards the items: their
// setters and the menu's own take that window's lock, so the program may change an open menu
// from its own thread. A menu that is deleted while open closes first.
//
// Radio mode keeps at most one item marked: marking one unmarks the others. With the label
// taken from the marked item (SetLabelFromMarked), the menu's superitem (the text of a menu
// field, the title in a bar) shows the marked item's label.
#ifndef _MENU_H
#define _MENU_H

#include <vector>

#include <Messenger.h>
#include <View.h>

class BList;
class BMenuItem;

namespace BPrivate {
class MenuTracker;
class MenuWindow;
} // namespace BPrivate

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	// Laid out as a column here: no menu of the system places its items by hand.
	B_ITEMS_IN_MATRIX,
};

class BMenu : public BView {
public:
	explicit BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
	// The view's fields and "_layout", "_rsize", "_radio", "_dyn_label", "_disable" and the
	// items' archives under "_items". Items whose archives cannot be rebuilt are left out.
	explicit BMenu(BMessage* archive);
	~BMenu() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;
	void ResizeToPreferred() override;
	void SetFont(const BFont* font, uint32 mask = B_FONT_ALL) override;

	// Adding fails (false) for a null item or one that is in a menu already; an index past
	// the end appends.
	bool AddItem(BMenuItem* item);
	bool AddItem(BMenuItem* item, int32 index);
	bool AddItem(BMenu* submenu);
	bool AddItem(BMenu* submenu, int32 index);
	bool AddList(BList* list, int32 index);
	bool AddSeparatorItem();
	// Removing hands the item back to the caller, who deletes it.
	bool RemoveItem(BMenuItem* item);
	BMenuItem* RemoveItem(int32 index);
	bool RemoveItems(int32 index, int32 count, bool deleteItems = false);
	// Removes the item that opens the submenu (and deletes that item, not the submenu).
	bool RemoveItem(BMenu* submenu);

	BMenuItem* ItemAt(int32 index) const;
	BMenu* SubmenuAt(int32 index) const;
	int32 CountItems() const { return (int32)fItems.size(); }
	int32 IndexOf(BMenuItem* item) const;
	int32 IndexOf(BMenu* submenu) const;
	// The first item with the label, or with a message of this code, here or in a submenu.
	BMenuItem* FindItem(const char* label) const;
	BMenuItem* FindItem(uint32 command) const;
	// The first marked item of this menu (not of its submenus).
	BMenuItem* FindMarked();
	int32 FindMarkedIndex();

	// The target of every item of this menu (not of its submenus).
	virtual status_t SetTargetForItems(BHandler* target);
	virtual status_t SetTargetForItems(BMessenger messenger);
	virtual void SetEnabled(bool enabled);
	// Off also stops the label following the marked item.
	virtual void SetRadioMode(bool on);
	virtual void SetTriggersEnabled(bool enabled);
	virtual void SetMaxContentWidth(float maxWidth);
	// On also turns radio mode on.
	void SetLabelFromMarked(bool on);
	bool IsLabelFromMarked() const { return fLabelFromMarked; }
	bool IsEnabled() const;
	bool IsRadioMode() const { return fRadioMode; }
	bool AreTriggersEnabled() const { return fTriggersEnabled; }
	float MaxContentWidth() const { return fMaxContentWidth; }

	// The menu whose item opens this one, and that item; null for a top menu.
	BMenu* Supermenu() const { return fSupermenu; }
	BMenuItem* Superitem() const { return fSuperitem; }
	menu_layout Layout() const { return fLayout; }

protected:
	BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags, menu_layout layout,
	      bool resizeToFit);

	// The items changed size or number: they are laid out again (and the open menu's window,
	// or a menu that resizes to fit, takes the new size).
	void InvalidateLayout();
	void SetItemMargins(float left, float top, float right, float bottom);
	void GetItemMargins(float* left, float* top, float* right, float* bottom) const;
	bool IsResizeToFit() const { return fResizeToFit; }

	// What the menu does when its items' layout changed while it is in a window; a menu
	// that resizes to fit takes its preferred size.
	virtual void LayoutChanged();

	// The item under the point (menu coordinates) that can be selected, or -1.
	int32 ItemIndexAt(BPoint point);
	BMenuItem* SelectedItem() const { return fSelected; }
	void SelectItem(BMenuItem* item);

private:
	friend class BMenuItem;
	friend class BMenuBar;
	friend class BPrivate::MenuTracker;
	friend class BPrivate::MenuWindow;

	void _Init(menu_layout layout, bool resizeToFit);
	void _Layout();
	void _LayoutColumn(float lineHeight);
	void _LayoutRow(float lineHeight);
	// Makes the items of a column reach the right edge of a view this wide.
	void _StretchItems(float width);
	// With this menu's window locked: radio mode leaves only this item marked.
	void _ItemMarked(BMenuItem* item);
	// Without it: the superitem shows the marked item's label when the menu wants that.
	// (The superitem's menu is shown before this one, and windows are locked in that order.)
	void _ShowMarkedLabel(BMenuItem* item);
	void _ItemChanged(BMenuItem* item, bool sizeChanged);
	void _RemoveAt(int32 index, bool deleteItem);
	// Items were added or removed; a menu bar ends the session that showed the old ones.
	virtual void _ItemListChanged();
	// Items that may be selected: enabled and not separators.
	static bool _IsSelectable(BMenuItem* item);
	int32 _NextSelectable(int32 from, int32 step) const;
	// The first item whose frame reaches below y, found by halving, so that a menu of
	// thousands of items draws and hit-tests only what is visible.
	int32 _FirstItemBelow(float y) const;
	// Right of the labels: the margin, widened to hold the submenu arrows when needed.
	float _RightMargin() const;

	std::vector<BMenuItem*> fItems;
	BMenu* fSupermenu;
	BMenuItem* fSuperitem;
	BMenuItem* fSelected;
	menu_layout fLayout;
	bool fResizeToFit;
	bool fRadioMode;
	bool fLabelFromMarked;
	bool fEnabled;
	bool fTriggersEnabled;
	bool fLayoutValid;
	bool fHasSubmenus;
	float fMaxContentWidth;
	float fPreferredWidth;
	float fPreferredHeight;
	float fPad[4];
};

#endif
