// BListView: the items, their places, archiving, drawing and the scroll bar. The selection
// and the user's input are in ListViewSelection.cpp.
#include <ListView.h>

#include <algorithm>
#include <cmath>

#include <List.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

BListView::BListView(BRect frame, const char* name, list_view_type type, uint32 resizingMode,
                     uint32 flags)
    : BView(frame, name, resizingMode, flags), BInvoker()
{
	_Init(type);
}

BListView::BListView(BMessage* archive) : BView(archive), BInvoker()
{
	int32 type = archive != nullptr ? archive->GetInt32("_lv_type", B_SINGLE_SELECTION_LIST)
	                                : B_SINGLE_SELECTION_LIST;
	_Init(type == B_MULTIPLE_SELECTION_LIST ? B_MULTIPLE_SELECTION_LIST : B_SINGLE_SELECTION_LIST);
	if (archive == nullptr)
		return;
	BMessage message;
	if (archive->FindMessage("_lmsg", &message) == B_OK ||
	    archive->FindMessage("_msg", &message) == B_OK)
		SetInvocationMessage(new BMessage(message));
	if (archive->FindMessage("_2nd_msg", &message) == B_OK)
		SetSelectionMessage(new BMessage(message));
	std::vector<BListItem*> items;
	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage("_l_items", i, &itemArchive) == B_OK; i++) {
		// What is not an item is dropped rather than shown as something it is not.
		BArchivable* object = instantiate_object(&itemArchive);
		if (BListItem* item = dynamic_cast<BListItem*>(object))
			items.push_back(item);
		else
			delete object;
	}
	_InsertItems(items, 0);
}

BListView::~BListView()
{
	for (BListItem* item : fItems)
		delete item;
	delete fSelectionMessage;
}

void BListView::_Init(list_view_type type)
{
	fListType = type;
	fSelectionMessage = nullptr;
	fFirstSelected = -1;
	fLastSelected = -1;
	fAnchor = -1;
	fCursor = -1;
	fLastClicked = -1;
}

BArchivable* BListView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BListView"))
		return nullptr;
	return new BListView(archive);
}

status_t BListView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_lv_type", (int32)fListType);
	for (size_t i = 0; status == B_OK && deep && i < fItems.size(); i++) {
		BMessage itemArchive;
		status = fItems[i]->Archive(&itemArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_l_items", &itemArchive);
	}
	if (status == B_OK && Message() != nullptr)
		status = archive->AddMessage("_lmsg", Message());
	if (status == B_OK && fSelectionMessage != nullptr)
		status = archive->AddMessage("_2nd_msg", fSelectionMessage);
	return status;
}

// #pragma mark - items

bool BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}

bool BListView::AddItem(BListItem* item, int32 index)
{
	return _InsertItems(std::vector<BListItem*>{item}, index);
}

bool BListView::AddList(BList* items)
{
	return AddList(items, CountItems());
}

bool BListView::AddList(BList* items, int32 index)
{
	if (items == nullptr)
		return false;
	std::vector<BListItem*> list;
	for (int32 i = 0; i < items->CountItems(); i++)
		list.push_back(static_cast<BListItem*>(items->ItemAt(i)));
	return _InsertItems(list, index);
}

bool BListView::_InsertItems(const std::vector<BListItem*>& items, int32 index)
{
	if (index < 0 || index > CountItems())
		return false;
	// All or nothing: an item that is null, in a list already or given twice refuses the lot.
	for (size_t i = 0; i < items.size(); i++) {
		if (items[i] == nullptr || items[i]->fList != nullptr) {
			for (size_t j = 0; j < i; j++)
				items[j]->fList = nullptr;
			return false;
		}
		items[i]->fList = this;
	}
	BFont font;
	GetFont(&font);
	int32 count = (int32)items.size();
	fItems.insert(fItems.begin() + index, items.begin(), items.end());
	for (int32* shifted : {&fFirstSelected, &fLastSelected, &fAnchor, &fCursor, &fLastClicked}) {
		if (*shifted >= index)
			*shifted += count;
	}
	for (int32 i = index; i < index + count; i++) {
		BListItem* item = fItems[(size_t)i];
		item->Update(this, &font);
		// A selected item joins the selection, as far as the list's kind allows.
		if (!item->IsSelected())
			continue;
		if (fListType == B_SINGLE_SELECTION_LIST && fFirstSelected >= 0) {
			item->Deselect();
			continue;
		}
		fFirstSelected = fFirstSelected < 0 ? i : std::min(fFirstSelected, i);
		fLastSelected = std::max(fLastSelected, i);
	}
	_RecalcTops(index);
	_FixupScrollBar();
	_InvalidateFrom(index);
	return true;
}

BListItem* BListView::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	BListItem* item = fItems[(size_t)index];
	RemoveItems(index, 1);
	return item;
}

bool BListView::RemoveItem(BListItem* item)
{
	return RemoveItem(IndexOf(item)) != nullptr;
}

bool BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || index >= CountItems() || count <= 0)
		return false;
	count = std::min(count, CountItems() - index);
	int32 last = index + count - 1;
	// Leaving the list, the rows leave the selection, which tells the targets.
	bool selectionChanged = _DeselectRange(index, last);
	for (int32 i = index; i <= last; i++)
		fItems[(size_t)i]->fList = nullptr;
	fItems.erase(fItems.begin() + index, fItems.begin() + last + 1);
	// The selection no longer reaches into the removed rows; the other remembered rows
	// that were removed are forgotten.
	for (int32* shifted : {&fFirstSelected, &fLastSelected, &fAnchor, &fCursor, &fLastClicked}) {
		if (*shifted > last)
			*shifted -= count;
		else if (*shifted >= index)
			*shifted = -1;
	}
	_RecalcTops(index);
	_FixupScrollBar();
	_InvalidateFrom(index);
	if (selectionChanged)
		_SelectionDone();
	return true;
}

void BListView::MakeEmpty()
{
	bool hadSelection = fFirstSelected >= 0;
	for (BListItem* item : fItems) {
		item->fList = nullptr;
		delete item;
	}
	fItems.clear();
	fFirstSelected = fLastSelected = fAnchor = fCursor = fLastClicked = -1;
	_FixupScrollBar();
	Invalidate();
	if (hadSelection)
		_SelectionDone();
}

BListItem* BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[(size_t)index];
}

int32 BListView::IndexOf(BListItem* item) const
{
	if (item == nullptr || item->fList != this)
		return -1;
	// Tops grow strictly down the list, so the item's own top finds it.
	auto it = std::lower_bound(fItems.begin(), fItems.end(), item->fTop,
	                           [](const BListItem* a, float top) { return a->fTop < top; });
	return it != fItems.end() && *it == item ? (int32)(it - fItems.begin()) : -1;
}

int32 BListView::IndexOf(BPoint point) const
{
	if (fItems.empty() || !std::isfinite(point.y) || point.y < 0)
		return -1;
	auto it = std::upper_bound(fItems.begin(), fItems.end(), point.y,
	                           [](float y, const BListItem* a) { return y < a->fTop; });
	int32 index = (int32)(it - fItems.begin()) - 1;
	return index >= 0 && point.y <= _ItemBottom(index) ? index : -1;
}

float BListView::_ItemBottom(int32 index) const
{
	const BListItem* item = fItems[(size_t)index];
	return item->fTop + std::ceil(item->Height());
}

float BListView::_TotalHeight() const
{
	return fItems.empty() ? 0 : _ItemBottom(CountItems() - 1) + 1;
}

void BListView::_RecalcTops(int32 index)
{
	float top = index > 0 ? _ItemBottom(index - 1) + 1 : 0;
	for (size_t i = (size_t)index; i < fItems.size(); i++) {
		fItems[i]->fTop = top;
		top = _ItemBottom((int32)i) + 1;
	}
}

BRect BListView::ItemFrame(int32 index)
{
	if (index < 0 || index >= CountItems())
		return BRect();
	BRect bounds = Bounds();
	return BRect(bounds.left, fItems[(size_t)index]->fTop, bounds.right, _ItemBottom(index));
}

void BListView::InvalidateItem(int32 index)
{
	BRect frame = ItemFrame(index);
	if (frame.IsValid())
		Invalidate(frame);
}

void BListView::_InvalidateFrom(int32 index)
{
	BRect bounds = Bounds();
	float top = index < CountItems() ? fItems[(size_t)index]->fTop : _TotalHeight();
	Invalidate(BRect(bounds.left, std::max(top, bounds.top), bounds.right, bounds.bottom));
}

// #pragma mark - drawing and geometry

void BListView::Draw(BRect updateRect)
{
	// Only the rows that meet the update are drawn, found by their tops.
	int32 count = CountItems();
	int32 index = IndexOf(BPoint(0, std::max(updateRect.top, 0.0f)));
	if (index < 0)
		index = updateRect.top < 0 ? 0 : count;
	for (; index < count && fItems[(size_t)index]->fTop <= updateRect.bottom; index++)
		fItems[(size_t)index]->DrawItem(this, ItemFrame(index), true);
	BRect below = Bounds();
	below.top = std::max(_TotalHeight(), updateRect.top);
	below.bottom = std::min(below.bottom, updateRect.bottom);
	if (below.IsValid())
		StylePainter::DrawListRow(this, below, 0);
}

void BListView::FrameResized(float width, float height)
{
	_FixupScrollBar();
}

void BListView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	// The rows take the height of the new font.
	BFont current;
	GetFont(&current);
	for (BListItem* item : fItems)
		item->Update(this, &current);
	_RecalcTops(0);
	_FixupScrollBar();
	Invalidate();
}

void BListView::_FixupScrollBar()
{
	if (BScrollBar* bar = ScrollBar(B_VERTICAL)) {
		float visible = Bounds().Height() + 1;
		float total = _TotalHeight();
		bar->SetRange(0, std::max(0.0f, total - visible));
		bar->SetProportion(total > visible ? visible / total : 1);
		float row = fItems.empty() ? 20 : std::ceil(fItems[0]->Height()) + 1;
		bar->SetSteps(row, std::max(row, visible - row));
	}
	// Rows are as wide as the list: there is nothing to scroll sideways.
	if (BScrollBar* bar = ScrollBar(B_HORIZONTAL)) {
		bar->SetRange(0, 0);
		bar->SetProportion(1);
	}
}

void BListView::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr) {
		float widest = 0;
		for (const BListItem* item : fItems)
			widest = std::max(widest, item->Width());
		*width = std::max(widest, Bounds().Width());
	}
	if (height != nullptr)
		*height = std::max(_TotalHeight() - 1, 0.0f);
}

B_REGISTER_ARCHIVABLE(BListView);
