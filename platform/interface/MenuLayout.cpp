// Where the items of a BMenu lie and how the menu draws them. Items of a column lie in order
// from the top, so drawing and hit-testing find the visible ones by halving instead of walking
// a list that may hold thousands of fonts.
#include <Menu.h>

#include <algorithm>
#include <cmath>

#include <MenuItem.h>
#include <SeparatorItem.h>

#include "MenuPrivate.h"
#include "StylePainter.h"

using BPrivate::MenuMetrics;
using BPrivate::StylePainter;

void BMenu::_Layout()
{
	if (fLayoutValid)
		return;
	fLayoutValid = true;
	float lineHeight = StylePainter::LineHeight(this);
	if (fLayout == B_ITEMS_IN_ROW)
		_LayoutRow(lineHeight);
	else
		_LayoutColumn(lineHeight);
}

void BMenu::_LayoutColumn(float lineHeight)
{
	float itemHeight = lineHeight + fPad[1] + fPad[3];
	float widestLabel = 0;
	float widestShortcut = 0;
	fHasSubmenus = false;
	float y = MenuMetrics::kBorder + MenuMetrics::kVerticalPad;
	for (BMenuItem* item : fItems) {
		float height = MenuMetrics::kSeparatorHeight;
		if (dynamic_cast<BSeparatorItem*>(item) == nullptr) {
			float width = 0, contentHeight = 0;
			item->GetContentSize(&width, &contentHeight);
			widestLabel = std::max(widestLabel, width);
			widestShortcut = std::max(widestShortcut, item->_ShortcutWidth());
			height = std::max(itemHeight, std::ceil(contentHeight) + fPad[1] + fPad[3]);
			fHasSubmenus = fHasSubmenus || item->Submenu() != nullptr;
		}
		item->fFrame = BRect(MenuMetrics::kBorder, y, MenuMetrics::kBorder, y + height - 1);
		y += height;
	}
	if (fMaxContentWidth > 0)
		widestLabel = std::min(widestLabel, fMaxContentWidth);
	float pixels =
	    MenuMetrics::kBorder + fPad[0] + widestLabel + _RightMargin() + MenuMetrics::kBorder;
	if (widestShortcut > 0)
		pixels += MenuMetrics::kShortcutGap + widestShortcut;
	// Even an empty menu is wide enough to be seen and clicked.
	pixels = std::max(pixels, 2 * (MenuMetrics::kBorder + fPad[0]));
	fPreferredWidth = std::ceil(pixels) - 1;
	fPreferredHeight = y + MenuMetrics::kVerticalPad + MenuMetrics::kBorder - 1;
	_StretchItems(std::max(fPreferredWidth, Bounds().Width()));
}

void BMenu::_LayoutRow(float lineHeight)
{
	float height = lineHeight + fPad[1] + fPad[3];
	float x = 0;
	for (BMenuItem* item : fItems) {
		float width = 0, contentHeight = 0;
		if (dynamic_cast<BSeparatorItem*>(item) != nullptr)
			width = MenuMetrics::kSeparatorHeight;
		else
			item->GetContentSize(&width, &contentHeight);
		width = std::ceil(width + fPad[0] + fPad[2]);
		item->fFrame = BRect(x, 0, x + width - 1, height - 1);
		x += width;
	}
	fPreferredWidth = std::max(x - 1, 0.0f);
	// The bar's lower edge lies below its items.
	fPreferredHeight = height;
}

void BMenu::_StretchItems(float width)
{
	if (fLayout == B_ITEMS_IN_ROW)
		return;
	for (BMenuItem* item : fItems)
		item->fFrame.right = width - MenuMetrics::kBorder;
}

float BMenu::_RightMargin() const
{
	if (fLayout != B_ITEMS_IN_ROW && fHasSubmenus)
		return std::max(fPad[2], MenuMetrics::kArrowColumn);
	return fPad[2];
}

void BMenu::GetPreferredSize(float* width, float* height)
{
	_Layout();
	if (width != nullptr)
		*width = fPreferredWidth;
	if (height != nullptr)
		*height = fPreferredHeight;
}

void BMenu::ResizeToPreferred()
{
	_Layout();
	ResizeTo(fPreferredWidth, fPreferredHeight);
	_StretchItems(Bounds().Width());
}

void BMenu::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	BPrivate::MenuLocker lock(this);
	for (BMenuItem* item : fItems)
		item->_InvalidateSize();
	InvalidateLayout();
}

void BMenu::SetItemMargins(float left, float top, float right, float bottom)
{
	fPad[0] = std::max(0.0f, left);
	fPad[1] = std::max(0.0f, top);
	fPad[2] = std::max(0.0f, right);
	fPad[3] = std::max(0.0f, bottom);
	InvalidateLayout();
}

void BMenu::GetItemMargins(float* left, float* top, float* right, float* bottom) const
{
	if (left != nullptr)
		*left = fPad[0];
	if (top != nullptr)
		*top = fPad[1];
	if (right != nullptr)
		*right = fPad[2];
	if (bottom != nullptr)
		*bottom = fPad[3];
}

// #pragma mark - finding items by place

int32 BMenu::_FirstItemBelow(float y) const
{
	auto it = std::partition_point(fItems.begin(), fItems.end(),
	                               [y](BMenuItem* item) { return item->fFrame.bottom < y; });
	return (int32)(it - fItems.begin());
}

bool BMenu::_IsSelectable(BMenuItem* item)
{
	return item != nullptr && item->IsEnabled() && dynamic_cast<BSeparatorItem*>(item) == nullptr;
}

int32 BMenu::ItemIndexAt(BPoint point)
{
	_Layout();
	int32 index = -1;
	if (fLayout == B_ITEMS_IN_ROW) {
		for (size_t i = 0; i < fItems.size(); i++) {
			if (fItems[i]->fFrame.Contains(point))
				index = (int32)i;
		}
	} else {
		index = _FirstItemBelow(point.y);
	}
	BMenuItem* item = ItemAt(index);
	if (item == nullptr || !item->fFrame.Contains(point) || !_IsSelectable(item))
		return -1;
	return index;
}

int32 BMenu::_NextSelectable(int32 from, int32 step) const
{
	int32 count = CountItems();
	if (count == 0)
		return -1;
	int32 index = from;
	for (int32 tries = 0; tries < count; tries++) {
		index = ((index + step) % count + count) % count;
		if (_IsSelectable(fItems[(size_t)index]))
			return index;
	}
	return -1;
}

// #pragma mark - drawing

void BMenu::Draw(BRect updateRect)
{
	_Layout();
	if (fLayout == B_ITEMS_IN_ROW) {
		StylePainter::DrawMenuBarBackground(this, Bounds());
		for (BMenuItem* item : fItems) {
			if (item->fFrame.Intersects(updateRect))
				item->Draw();
		}
		return;
	}
	StylePainter::DrawMenuBackground(this, Bounds());
	for (int32 i = _FirstItemBelow(updateRect.top); i < CountItems(); i++) {
		BMenuItem* item = fItems[(size_t)i];
		if (item->fFrame.top > updateRect.bottom)
			break;
		item->Draw();
	}
	// Items of a scrolled menu reach under its edges; the border stays on top.
	StylePainter::DrawMenuFrame(this, Bounds());
}
