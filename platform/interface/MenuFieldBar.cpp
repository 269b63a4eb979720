#include "MenuFieldBar.h"

#include <cmath>

#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "StylePainter.h"

namespace BPrivate {

MenuFieldBar::MenuFieldBar(BRect frame)
    : BMenuBar(frame, "_mc_mb_", B_FOLLOW_ALL, B_ITEMS_IN_ROW, false), fShowMarker(true)
{
}

MenuFieldBar::MenuFieldBar(BMessage* archive) : BMenuBar(archive), fShowMarker(true) {}

BArchivable* MenuFieldBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPrivate::MenuFieldBar"))
		return nullptr;
	return new MenuFieldBar(archive);
}

void MenuFieldBar::AttachedToWindow()
{
	BMenuBar::AttachedToWindow();
	// The corners the rounded face leaves show what the field stands on.
	if (Parent() != nullptr)
		SetViewColor(Parent()->ViewColor());
}

void MenuFieldBar::Draw(BRect)
{
	BMenuField* field = dynamic_cast<BMenuField*>(Parent());
	uint32 flags = 0;
	if (!IsEnabled())
		flags |= StylePainter::kDisabled;
	if (IsTracking())
		flags |= StylePainter::kPressed;
	if (field != nullptr && field->IsFocus() && Window() != nullptr && Window()->IsActive())
		flags |= StylePainter::kFocused;
	BRect bounds = Bounds();
	if (fShowMarker)
		StylePainter::DrawMenuField(this, bounds, flags);
	else
		StylePainter::DrawButton(this, bounds, flags);
	BMenuItem* item = ItemAt(0);
	if (item != nullptr) {
		BRect text = StylePainter::MenuFieldTextRect(bounds);
		if (!fShowMarker)
			text.right = bounds.right - 6;
		StylePainter::DrawLabel(this, text, item->Label(), B_ALIGN_LEFT, flags);
	}
}

void MenuFieldBar::MouseDown(BPoint where)
{
	// The whole face opens the menu, not only the title's own width.
	if (!IsEnabled() || CountItems() == 0)
		return;
	_StartSession(0, true, false, true, ConvertToScreen(where));
}

void MenuFieldBar::GetPreferredSize(float* width, float* height)
{
	BMenuItem* item = ItemAt(0);
	float label = item != nullptr ? std::ceil(StringWidth(item->Label())) : 0;
	BRect text = StylePainter::MenuFieldTextRect(BRect(0, 0, 100, 20));
	if (width != nullptr)
		*width = label + text.left + (100 - text.right) + 2;
	if (height != nullptr)
		*height = StylePainter::LineHeight(this) + 8;
}

void MenuFieldBar::SetPopUpMarker(bool shown)
{
	fShowMarker = shown;
	Invalidate();
}

void MenuFieldBar::LayoutChanged()
{
	// The text changed: the field may widen to show it.
	Invalidate();
	if (BMenuField* field = dynamic_cast<BMenuField*>(Parent()))
		field->_FitToText();
}

void MenuFieldBar::_GetMenuAnchor(int32, BRect* anchor, float* minWidth)
{
	*anchor = ConvertToScreen(Bounds());
	*minWidth = Bounds().Width();
}

} // namespace BPrivate

static BPrivate::ArchivableRegistrar sMenuFieldBarRegistrar("BPrivate::MenuFieldBar",
                                                            BPrivate::MenuFieldBar::Instantiate);
