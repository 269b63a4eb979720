// One entry of a menu: a label, the message it sends when chosen, a Command shortcut shown at
// its right ("Ctrl+Q"), a check mark, an enabled state, and possibly a submenu that opens to
// its side. An item with a submenu and a message can itself be chosen as well.
//
// The item belongs to at most one menu, which deletes it; the item owns its submenu and its
// message. Chosen, it posts a copy of its message, with "when", "source" (the item) and
// "index" added, to its target; an item without a target sends to the window of the menu
// tree it is in (the window of the menu bar or menu field, or of the caller of a pop-up).
#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <string>

#include <Archivable.h>
#include <Invoker.h>
#include <Rect.h>

class BMenu;
class BMessage;

namespace BPrivate {
class MenuTracker;
}

class BMenuItem : public BArchivable, public BInvoker {
public:
	BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
	// An item that opens the menu; its label is the menu's name.
	BMenuItem(BMenu* menu, BMessage* message = nullptr);
	// "_label", "_msg", "_shortcut", "_mods", "_disable", "_marked", "_user_trig" and
	// "_submenu" (the submenu's archive); missing or mistyped fields leave the defaults.
	explicit BMenuItem(BMessage* archive);
	// Leaves its menu first, and deletes its submenu.
	~BMenuItem() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	virtual void SetLabel(const char* label);
	// A disabled item cannot be chosen and is drawn dimmed; an item that opens a submenu
	// passes its state to the submenu.
	virtual void SetEnabled(bool enabled);
	// In a menu in radio mode, marking an item unmarks the others; in a menu whose label
	// follows the marked item, the menu's superitem takes this item's label.
	virtual void SetMarked(bool marked);
	virtual void SetTrigger(char trigger);
	// The key pressed with Command (plus the modifiers given) that chooses the item from the
	// window; 0 for none.
	virtual void SetShortcut(char shortcut, uint32 modifiers);

	const char* Label() const { return fLabel.c_str(); }
	bool IsEnabled() const;
	bool IsMarked() const { return fMarked; }
	char Trigger() const { return fTrigger; }
	char Shortcut(uint32* modifiers = nullptr) const;
	BMenu* Submenu() const { return fSubmenu; }
	BMenu* Menu() const { return fMenu; }
	// Where the item lies in its menu (the menu's coordinates).
	BRect Frame() const { return fFrame; }

	// Marks the item when its menu is in radio mode, then sends its message. B_BAD_VALUE
	// without a message, B_NOT_ALLOWED when the item is disabled.
	status_t Invoke(BMessage* message = nullptr) override;

protected:
	// The size of the label.
	virtual void GetContentSize(float* width, float* height);
	virtual void TruncateLabel(float maxWidth, char* newLabel);
	// Draws the label at ContentLocation(); Draw adds the background, the mark, the
	// shortcut and the submenu arrow.
	virtual void DrawContent();
	virtual void Draw();
	virtual void Highlight(bool on);
	bool IsSelected() const { return fSelected; }
	BPoint ContentLocation() const;

private:
	friend class BMenu;
	friend class BMenuBar;
	friend class BPopUpMenu;
	friend class BPrivate::MenuTracker;

	void _Init(const char* label, BMessage* message);
	void _SetSubmenu(BMenu* menu);
	// The label's width and the shortcut's, measured once per text.
	float _LabelWidth();
	float _ShortcutWidth();
	void _InvalidateSize();
	// Sends to fallback when no target was ever set.
	status_t _Invoke(BMessage* message, const BMessenger& fallback);
	// Where an item without a target sends: the window of the topmost menu.
	BMessenger _DefaultTarget() const;

	std::string fLabel;
	BMenu* fSubmenu;
	BMenu* fMenu;
	BRect fFrame;
	char fShortcut;
	uint32 fModifiers;
	char fTrigger;
	bool fEnabled;
	bool fMarked;
	bool fSelected;
	float fLabelWidth;
	float fShortcutWidth;
};

#endif
