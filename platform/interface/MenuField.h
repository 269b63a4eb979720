// A label and, right of the divider, a pop-up menu shown as a raised field whose text is the
// menu's superitem label: the marked item's label when the menu takes its label from the
// marked item, else whatever the program set (MenuItem()->SetLabel). A press on the field
// opens the menu below it; with the keyboard focus, Space and the up and down arrows open it
// on the marked item.
//
// The menu lives in a menu bar child named "_mc_mb_", so an archive of the field holds the
// bar, which holds the title item, which holds the menu; a field rebuilt from its archive
// finds that bar again.
#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <string>

#include <View.h>

class BMenu;
class BMenuBar;
class BMenuItem;

namespace BPrivate {
class MenuFieldBar;
}

class BMenuField : public BView {
public:
	// The field takes the menu (a new empty pop-up menu when none is given). Without a
	// fixed size the field widens, within its parent, to show a longer text.
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	           uint32 resizingMode = B_FOLLOW_LEFT_TOP, uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu, bool fixedSize,
	           uint32 resizingMode = B_FOLLOW_LEFT_TOP, uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// The view's fields (the bar among its children) and "_label", "_divide", "_align",
	// "_disable", "_fixed"; missing or mistyped fields leave the defaults.
	explicit BMenuField(BMessage* archive);
	~BMenuField() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void AllAttached() override;
	void Draw(BRect updateRect) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void WindowActivated(bool active) override;
	void GetPreferredSize(float* width, float* height) override;

	BMenu* Menu() const;
	BMenuBar* MenuBar() const;
	// The item whose label the field shows (the menu's superitem).
	BMenuItem* MenuItem() const;

	virtual void SetLabel(const char* label);
	const char* Label() const { return fHasLabel ? fLabel.c_str() : nullptr; }
	virtual void SetEnabled(bool on);
	bool IsEnabled() const { return fEnabled; }
	virtual void SetAlignment(alignment label);
	alignment Alignment() const { return fAlignment; }
	// Where the field starts, from the view's left edge; the label lies left of it.
	virtual void SetDivider(float position);
	float Divider() const { return fDivider; }
	void ShowPopUpMarker();
	void HidePopUpMarker();

private:
	friend class BPrivate::MenuFieldBar;

	void _InitFields(const char* label, bool fixedSize);
	void _Init(const char* label, BMenu* menu, bool fixedSize);
	// Gives the field a bar with a title and a menu, whatever the archive held.
	void _EnsureBar();
	void _PlaceBar();
	// The text changed: a field without a fixed size widens to show it.
	void _FitToText();
	uint32 _LabelFlags() const;

	std::string fLabel;
	bool fHasLabel;
	bool fEnabled;
	bool fFixedSize;
	bool fWasNavigable;
	alignment fAlignment;
	float fDivider;
	BPrivate::MenuFieldBar* fMenuBar;
};

#endif
