// Finding the items of a BMenu, its marks, enabled state and targets, the selection, and the
// lock that guards an open menu.
#include <Menu.h>

#include <algorithm>
#include <cstring>

#include <MenuItem.h>
#include <Message.h>

#include "MenuPrivate.h"

using BPrivate::MenuLocker;

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
