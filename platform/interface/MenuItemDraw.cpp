// How a BMenuItem measures and draws itself: the label, the check mark at the left, the
// shortcut at the right in a dimmer colour, the arrow of a submenu, the selected background.
#include <MenuItem.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Menu.h>
#include <String.h>

#include "MenuPrivate.h"
#include "StylePainter.h"

using BPrivate::MenuMetrics;
using BPrivate::StylePainter;

// #pragma mark - measuring

float BMenuItem::_LabelWidth()
{
	if (fLabelWidth < 0 && fMenu != nullptr)
		fLabelWidth = std::ceil(fMenu->StringWidth(fLabel.c_str()));
	return std::max(fLabelWidth, 0.0f);
}

float BMenuItem::_ShortcutWidth()
{
	if (fShortcut == 0)
		return 0;
	if (fShortcutWidth < 0 && fMenu != nullptr) {
		std::string text = BPrivate::shortcut_label((uint32)(unsigned char)fShortcut, fModifiers);
		fShortcutWidth = std::ceil(fMenu->StringWidth(text.c_str()));
	}
	return std::max(fShortcutWidth, 0.0f);
}

void BMenuItem::_InvalidateSize()
{
	fLabelWidth = -1;
	fShortcutWidth = -1;
}

void BMenuItem::GetContentSize(float* width, float* height)
{
	if (width != nullptr)
		*width = _LabelWidth();
	if (height != nullptr)
		*height = fMenu != nullptr ? StylePainter::LineHeight(fMenu) : 0;
}

void BMenuItem::TruncateLabel(float maxWidth, char* newLabel)
{
	BString text(fLabel.c_str());
	if (fMenu != nullptr)
		fMenu->TruncateString(&text, B_TRUNCATE_END, maxWidth);
	strcpy(newLabel, text.String());
}

BPoint BMenuItem::ContentLocation() const
{
	if (fMenu == nullptr)
		return fFrame.LeftTop();
	return BPoint(fFrame.left + fMenu->fPad[0], fFrame.top + fMenu->fPad[1]);
}

// #pragma mark - drawing

void BMenuItem::Highlight(bool on)
{
	if (fMenu != nullptr)
		fMenu->Invalidate(fFrame);
}

void BMenuItem::DrawContent()
{
	if (fMenu == nullptr)
		return;
	uint32 flags =
	    (fSelected ? StylePainter::kSelected : 0) | (IsEnabled() ? 0 : StylePainter::kDisabled);
	rgb_color color = StylePainter::MenuItemTextColor(flags);
	BRect rect(ContentLocation().x, fFrame.top, fFrame.right, fFrame.bottom);
	rect.right -= fMenu->_RightMargin();
	if (fShortcut != 0 && fMenu->Layout() != B_ITEMS_IN_ROW)
		rect.right -= _ShortcutWidth() + MenuMetrics::kShortcutGap;
	StylePainter::DrawLabel(fMenu, rect, fLabel.c_str(), B_ALIGN_LEFT, flags, &color);
}

void BMenuItem::Draw()
{
	if (fMenu == nullptr)
		return;
	uint32 flags =
	    (fSelected ? StylePainter::kSelected : 0) | (IsEnabled() ? 0 : StylePainter::kDisabled);
	if (fMenu->Layout() == B_ITEMS_IN_ROW) {
		StylePainter::DrawMenuItemBackground(fMenu, fFrame, flags);
		DrawContent();
		return;
	}
	StylePainter::DrawMenuItemBackground(fMenu, fFrame, flags);
	if (fMarked) {
		BRect mark(fFrame.left + 4, fFrame.top + 2, fFrame.left + MenuMetrics::kMarkColumn - 5,
		           fFrame.bottom - 2);
		StylePainter::DrawMenuMark(fMenu, mark, flags);
	}
	DrawContent();
	// The right margin of the menu holds the arrow column when any item has a submenu.
	float right = fFrame.right - fMenu->_RightMargin();
	if (fShortcut != 0) {
		std::string text = BPrivate::shortcut_label((uint32)(unsigned char)fShortcut, fModifiers);
		BRect rect(right - _ShortcutWidth(), fFrame.top, right, fFrame.bottom);
		rgb_color dim = StylePainter::MenuShortcutColor(flags);
		StylePainter::DrawLabel(fMenu, rect, text.c_str(), B_ALIGN_RIGHT, flags, &dim);
	}
	if (fSubmenu != nullptr) {
		rgb_color color = StylePainter::MenuItemTextColor(flags);
		BRect arrow(fFrame.right - MenuMetrics::kArrowColumn + 4, fFrame.top + 2, fFrame.right - 4,
		            fFrame.bottom - 2);
		StylePainter::DrawArrow(fMenu, arrow, StylePainter::kRight, flags, &color);
	}
}
