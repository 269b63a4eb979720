#include "TToolBar.h"

#include <cstring>

#include <Window.h>

#include "TSeparatorButton.h"
#include "TToolButton.h"
#include "ToolBarColors.h"

TToolBar::TToolBar(BRect frame, const char* name, uint32 resizingMode)
    : BView(frame, name, resizingMode, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE), mEnabled(true),
      mBarFlat(false), mButtonFlat(false), mMaxItemHeight(0)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

TToolBar::~TToolBar() {}

void TToolBar::AttachedToWindow()
{
	BView::AttachedToWindow();
	// In a bitmap there is no window to span.
	if (BWindow* window = Window())
		ResizeTo(window->Bounds().right, Bounds().Height());
}

void TToolBar::Draw(BRect)
{
	if (mBarFlat)
		return;
	stroke_bevel(this, Bounds(), false);
}

void TToolBar::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = mItems.empty() ? kMargin : mItems.back()->Frame().right + kMargin;
	if (height != nullptr)
		*height = mMaxItemHeight + 2 * kMargin;
}

bool TToolBar::AddItem(TToolButton* button)
{
	return AddItem(button, CountItems());
}

bool TToolBar::AddItem(TToolButton* button, int32 index)
{
	if (button == nullptr || button->Parent() != nullptr || button->Window() != nullptr ||
	    index < 0 || index > CountItems())
		return false;
	float height = button->Bounds().Height();
	if (height > mMaxItemHeight) {
		mMaxItemHeight = height;
		ResizeTo(Bounds().Width(), mMaxItemHeight + 2 * kMargin);
	}
	mItems.insert(mItems.begin() + index, button);
	button->mToolBar = this;
	AddChild(button, index + 1 < CountItems() ? mItems[index + 1] : nullptr);
	RelocateItems(index);
	return true;
}

bool TToolBar::AddSeparatorItem()
{
	return AddItem(new TSeparatorButton(mMaxItemHeight));
}

void TToolBar::RelocateItems(int32 index)
{
	if (index < 0 || index >= CountItems())
		return;
	float x = index == 0 ? kMargin : mItems[index - 1]->Frame().right + 1;
	for (size_t i = (size_t)index; i < mItems.size(); i++) {
		mItems[i]->MoveTo(x, kMargin);
		x = mItems[i]->Frame().right + 1;
	}
}

TToolButton* TToolBar::ItemAt(int32 index) const
{
	return index >= 0 && index < CountItems() ? mItems[(size_t)index] : nullptr;
}

int32 TToolBar::IndexOf(const TToolButton* button) const
{
	for (size_t i = 0; i < mItems.size(); i++) {
		if (mItems[i] == button)
			return (int32)i;
	}
	return -1;
}

TToolButton* TToolBar::FindItem(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (TToolButton* item : mItems) {
		if (item->Name() != nullptr && strcmp(item->Name(), name) == 0)
			return item;
	}
	return nullptr;
}

TToolButton* TToolBar::FindPushed(int32 start) const
{
	for (int32 i = start < 0 ? 0 : start; i < CountItems(); i++) {
		if (mItems[(size_t)i]->Value() == 1)
			return mItems[(size_t)i];
	}
	return nullptr;
}

void TToolBar::SetEnabled(bool enabled)
{
	if (enabled == mEnabled)
		return;
	mEnabled = enabled;
	for (TToolButton* item : mItems)
		item->Invalidate();
}

void TToolBar::SetTargetForItems(BHandler* target)
{
	SetTargetForItems(BMessenger(target));
}

void TToolBar::SetTargetForItems(const BMessenger& target)
{
	for (TToolButton* item : mItems)
		item->SetTarget(target);
}

void TToolBar::SetBarFlat(bool flat)
{
	mBarFlat = flat;
	Invalidate();
}

void TToolBar::SetButtonFlat(bool flat)
{
	mButtonFlat = flat;
	for (TToolButton* item : mItems)
		item->Invalidate();
}
