// Making and deleting a BMenu, adding and removing its items, and what it does in a window.
// Finding, marking and enabling live in MenuState.cpp, layout and drawing in MenuLayout.cpp,
// archiving in MenuArchive.cpp.
#include <Menu.h>

#include <algorithm>

#include <List.h>
#include <MenuItem.h>
#include <SeparatorItem.h>
#include <Window.h>

#include "MenuPrivate.h"
#include "MenuWindow.h"

using BPrivate::MenuLocker;
using BPrivate::MenuMetrics;

BMenu::BMenu(const char* name, menu_layout layout)
    : BView(BRect(0, 0, 0, 0), name, B_FOLLOW_NONE, B_WILL_DRAW)
{
	_Init(layout, true);
}

BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags, menu_layout layout,
             bool resizeToFit)
    : BView(frame, name, resizingMode, flags)
{
	_Init(layout, resizeToFit);
}

BMenu::~BMenu()
{
	// A menu deleted while it is open leaves its pop-up window first; the session that
	// opened it then closes whatever was open from it.
	if (LockLooper()) {
		BLooper* looper = Looper();
		if (auto* window = dynamic_cast<BPrivate::MenuWindow*>(looper))
			window->MenuGone(this);
		RemoveSelf();
		looper->Unlock();
	}
	if (fSuperitem != nullptr && fSuperitem->fSubmenu == this)
		fSuperitem->fSubmenu = nullptr;
	std::vector<BMenuItem*> items;
	items.swap(fItems);
	fSelected = nullptr;
	for (BMenuItem* item : items) {
		item->fMenu = nullptr;
		delete item;
	}
}

void BMenu::_Init(menu_layout layout, bool resizeToFit)
{
	if (layout != B_ITEMS_IN_ROW && layout != B_ITEMS_IN_COLUMN && layout != B_ITEMS_IN_MATRIX)
		layout = B_ITEMS_IN_COLUMN;
	fSupermenu = nullptr;
	fSuperitem = nullptr;
	fSelected = nullptr;
	fLayout = layout;
	fResizeToFit = resizeToFit;
	fRadioMode = false;
	fLabelFromMarked = false;
	fEnabled = true;
	fTriggersEnabled = true;
	fLayoutValid = false;
	fHasSubmenus = false;
	fMaxContentWidth = 0;
	fPreferredWidth = 0;
	fPreferredHeight = 0;
	if (layout == B_ITEMS_IN_ROW) {
		fPad[0] = fPad[2] = MenuMetrics::kTitlePad;
	} else {
		fPad[0] = MenuMetrics::kMarkColumn;
		fPad[2] = MenuMetrics::kRightPad;
	}
	fPad[1] = fPad[3] = MenuMetrics::kItemPad;
}

// #pragma mark - adding and removing

bool BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}

bool BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == nullptr || item->fMenu != nullptr || index < 0)
		return false;
	bool marked = item->fMarked && fRadioMode;
	{
		MenuLocker lock(this);
		index = std::min(index, CountItems());
		fItems.insert(fItems.begin() + index, item);
		item->fMenu = this;
		item->_InvalidateSize();
		if (item->fSubmenu != nullptr)
			item->fSubmenu->fSupermenu = this;
		if (marked)
			_ItemMarked(item);
		InvalidateLayout();
	}
	if (marked)
		_ShowMarkedLabel(item);
	_ItemListChanged();
	return true;
}

bool BMenu::AddItem(BMenu* submenu)
{
	return AddItem(submenu, CountItems());
}

bool BMenu::AddItem(BMenu* submenu, int32 index)
{
	if (submenu == nullptr || submenu->fSuperitem != nullptr)
		return false;
	BMenuItem* item = new BMenuItem(submenu);
	if (!AddItem(item, index)) {
		// The caller keeps the submenu it could not add.
		item->fSubmenu = nullptr;
		submenu->fSuperitem = nullptr;
		delete item;
		return false;
	}
	return true;
}

bool BMenu::AddList(BList* list, int32 index)
{
	if (list == nullptr || index < 0)
		return false;
	index = std::min(index, CountItems());
	for (int32 i = 0; i < list->CountItems(); i++) {
		if (!AddItem(static_cast<BMenuItem*>(list->ItemAt(i)), index + i))
			return false;
	}
	return true;
}

bool BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem);
}

bool BMenu::RemoveItem(BMenuItem* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	_RemoveAt(index, false);
	return true;
}

BMenuItem* BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = ItemAt(index);
	if (item != nullptr)
		_RemoveAt(index, false);
	return item;
}

bool BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index > CountItems())
		return false;
	count = std::min(count, CountItems() - index);
	for (int32 i = index + count - 1; i >= index; i--)
		_RemoveAt(i, deleteItems);
	return true;
}

bool BMenu::RemoveItem(BMenu* submenu)
{
	int32 index = IndexOf(submenu);
	if (index < 0)
		return false;
	BMenuItem* item = fItems[(size_t)index];
	_RemoveAt(index, false);
	item->fSubmenu = nullptr;
	submenu->fSuperitem = nullptr;
	submenu->fSupermenu = nullptr;
	delete item;
	return true;
}

void BMenu::_RemoveAt(int32 index, bool deleteItem)
{
	BMenuItem* item;
	{
		MenuLocker lock(this);
		item = fItems[(size_t)index];
		fItems.erase(fItems.begin() + index);
		if (fSelected == item)
			fSelected = nullptr;
		item->fSelected = false;
		item->fMenu = nullptr;
		if (item->fSubmenu != nullptr)
			item->fSubmenu->fSupermenu = nullptr;
		InvalidateLayout();
	}
	_ItemListChanged();
	// Deleting may close the item's open submenu, whose window is locked after this one's
	// was released.
	if (deleteItem)
		delete item;
}

void BMenu::_ItemListChanged() {}

// #pragma mark - hooks

void BMenu::AttachedToWindow()
{
	// The menu paints all of its area itself.
	SetViewColor(B_TRANSPARENT_COLOR);
	fLayoutValid = false;
	LayoutChanged();
}

void BMenu::DetachedFromWindow()
{
	// A menu opens the next time with nothing selected and from its first item.
	SelectItem(nullptr);
	ScrollTo(0, 0);
}

void BMenu::InvalidateLayout()
{
	fLayoutValid = false;
	if (Window() == nullptr)
		return;
	LayoutChanged();
	Invalidate();
}

void BMenu::LayoutChanged()
{
	if (auto* window = dynamic_cast<BPrivate::MenuWindow*>(Window())) {
		window->MenuLayoutChanged();
		return;
	}
	if (fResizeToFit && Window() != nullptr)
		ResizeToPreferred();
}
