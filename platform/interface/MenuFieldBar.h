// The bar inside a menu field: one title, whose submenu is the field's pop-up menu and whose
// label is the field's text, drawn as the field's raised face with the arrow that says it pops
// up. Pressing anywhere on it opens the menu below the field, at least as wide as the face.
// It never becomes its window's key menu bar.
#ifndef _MENU_FIELD_BAR_H
#define _MENU_FIELD_BAR_H

#include <MenuBar.h>

namespace BPrivate {

class MenuFieldBar : public BMenuBar {
public:
	explicit MenuFieldBar(BRect frame);
	explicit MenuFieldBar(BMessage* archive);

	static BArchivable* Instantiate(BMessage* archive);

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetPopUpMarker(bool shown);

protected:
	void LayoutChanged() override;

private:
	void _GetMenuAnchor(int32 index, BRect* anchor, float* minWidth) override;
	bool _IsField() const override { return true; }

	bool fShowMarker;
};

} // namespace BPrivate

#endif
