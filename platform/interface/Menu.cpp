// The item list of BMenu: adding, removing, finding, marking and enabling. Layout and drawing
// live in MenuLayout.cpp, archiving in MenuArchive.cpp.
#include <Menu.h>

#include <algorithm>
#include <cstring>

#include <List.h>
#include <MenuItem.h>
#include <Message.h>
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

// #pragma mark - finding

BMenuItem* BMenu::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[(size_t)index];
}

BMenu* BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != nullptr ? item->Submenu() : nullptr;
}

int32 BMenu::IndexOf(BMenuItem* item) const
{
	auto it = std::find(fItems.begin(), fItems.end(), item);
	return it != fItems.end() ? (int32)(it - fItems.begin()) : -1;
}

int32 BMenu::IndexOf(BMenu* submenu) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (submenu != nullptr && fItems[i]->Submenu() == submenu)
			return (int32)i;
	}
	return -1;
}

BMenuItem* BMenu::FindItem(const char* label) const
{
	if (label == nullptr)
		return nullptr;
	for (BMenuItem* item : fItems) {
		if (strcmp(item->Label(), label) == 0)
			return item;
		if (item->Submenu() != nullptr) {
			if (BMenuItem* found = item->Submenu()->FindItem(label))
				return found;
		}
	}
	return nullptr;
}

BMenuItem* BMenu::FindItem(uint32 command) const
{
	for (BMenuItem* item : fItems) {
		if (item->Message() != nullptr && item->Message()->what == command)
			return item;
		if (item->Submenu() != nullptr) {
			if (BMenuItem* found = item->Submenu()->FindItem(command))
				return found;
		}
	}
	return nullptr;
}

BMenuItem* BMenu::FindMarked()
{
	int32 index = FindMarkedIndex();
	return index >= 0 ? fItems[(size_t)index] : nullptr;
}

int32 BMenu::FindMarkedIndex()
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i]->IsMarked())
			return (int32)i;
	}
	return -1;
}

// #pragma mark - state

status_t BMenu::SetTargetForItems(BHandler* target)
{
	status_t result = B_OK;
	for (BMenuItem* item : fItems) {
		status_t status = item->SetTarget(target);
		if (status != B_OK)
			result = status;
	}
	return result;
}

status_t BMenu::SetTargetForItems(BMessenger messenger)
{
	for (BMenuItem* item : fItems)
		item->SetTarget(messenger);
	return B_OK;
}

void BMenu::SetEnabled(bool enabled)
{
	{
		MenuLocker lock(this);
		if (enabled == fEnabled)
			return;
		fEnabled = enabled;
		Invalidate();
	}
	// The superitem's menu is shown before this one; its window is locked only once this
	// one's is free again.
	if (fSuperitem != nullptr)
		fSuperitem->SetEnabled(enabled);
}

bool BMenu::IsEnabled() const
{
	return fEnabled && (fSupermenu == nullptr || fSupermenu->IsEnabled());
}

void BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		fLabelFromMarked = false;
}

void BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (!on)
		return;
	fRadioMode = true;
	if (BMenuItem* marked = FindMarked())
		_ShowMarkedLabel(marked);
}

void BMenu::SetTriggersEnabled(bool enabled)
{
	fTriggersEnabled = enabled;
}

void BMenu::SetMaxContentWidth(float maxWidth)
{
	MenuLocker lock(this);
	fMaxContentWidth = std::max(0.0f, maxWidth);
	InvalidateLayout();
}

void BMenu::_ItemMarked(BMenuItem* item)
{
	if (fRadioMode) {
		for (BMenuItem* other : fItems) {
			if (other != item && other->fMarked) {
				other->fMarked = false;
				_ItemChanged(other, false);
			}
		}
	}
}

void BMenu::_ShowMarkedLabel(BMenuItem* item)
{
	if (fLabelFromMarked && fSuperitem != nullptr)
		fSuperitem->SetLabel(item->Label());
}

void BMenu::_ItemChanged(BMenuItem* item, bool sizeChanged)
{
	if (sizeChanged)
		InvalidateLayout();
	else if (fLayoutValid)
		Invalidate(item->Frame());
}

void BMenu::SelectItem(BMenuItem* item)
{
	if (item == fSelected || (item != nullptr && item->fMenu != this))
		return;
	if (fSelected != nullptr) {
		fSelected->fSelected = false;
		fSelected->Highlight(false);
	}
	fSelected = item;
	if (item != nullptr) {
		item->fSelected = true;
		item->Highlight(true);
	}
}

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

// #pragma mark - locking

BPrivate::MenuLocker::MenuLocker(const BMenu* menu) : fLooper(nullptr)
{
	BMenu* target = const_cast<BMenu*>(menu);
	if (target != nullptr && target->Looper() != nullptr && target->LockLooper())
		fLooper = target->Looper();
}

BPrivate::MenuLocker::~MenuLocker()
{
	if (fLooper != nullptr)
		fLooper->Unlock();
}
