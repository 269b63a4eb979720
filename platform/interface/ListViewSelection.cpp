// BListView: the selection, the messages that report it, and the user's pointer and keys.
#include <ListView.h>

#include <algorithm>

#include <Message.h>
#include <ScrollView.h>
#include <Window.h>

// #pragma mark - selection

bool BListView::_SelectRange(int32 from, int32 to, bool extend)
{
	int32 count = CountItems();
	if (count == 0)
		return false;
	from = std::clamp(from, 0, count - 1);
	to = std::clamp(to, 0, count - 1);
	if (from > to)
		std::swap(from, to);
	if (fListType == B_SINGLE_SELECTION_LIST) {
		to = from;
		extend = false;
	}
	bool changed = false;
	if (!extend && fFirstSelected >= 0) {
		for (int32 i = fFirstSelected; i <= fLastSelected; i++) {
			if ((i < from || i > to) && fItems[(size_t)i]->IsSelected()) {
				fItems[(size_t)i]->Deselect();
				InvalidateItem(i);
				changed = true;
			}
		}
		fFirstSelected = fLastSelected = -1;
	}
	for (int32 i = from; i <= to; i++) {
		if (!fItems[(size_t)i]->IsSelected()) {
			fItems[(size_t)i]->Select();
			InvalidateItem(i);
			changed = true;
		}
	}
	fFirstSelected = fFirstSelected < 0 ? from : std::min(fFirstSelected, from);
	fLastSelected = std::max(fLastSelected, to);
	return changed;
}

bool BListView::_DeselectRange(int32 from, int32 to)
{
	if (fFirstSelected < 0)
		return false;
	from = std::max(from, fFirstSelected);
	to = std::min(to, fLastSelected);
	bool changed = false;
	for (int32 i = from; i <= to; i++) {
		if (fItems[(size_t)i]->IsSelected()) {
			fItems[(size_t)i]->Deselect();
			InvalidateItem(i);
			changed = true;
		}
	}
	// The bounds move inwards past the rows that are no longer selected.
	while (fFirstSelected >= 0 && fFirstSelected <= fLastSelected &&
	       !fItems[(size_t)fFirstSelected]->IsSelected())
		fFirstSelected++;
	while (fLastSelected >= fFirstSelected && fLastSelected >= 0 &&
	       !fItems[(size_t)fLastSelected]->IsSelected())
		fLastSelected--;
	if (fFirstSelected > fLastSelected)
		fFirstSelected = fLastSelected = -1;
	return changed;
}

void BListView::_SelectionDone()
{
	SelectionChanged();
	if (fSelectionMessage != nullptr)
		InvokeNotify(fSelectionMessage, B_CONTROL_MODIFIED);
}

void BListView::SelectionChanged() {}

void BListView::Select(int32 index, bool extend)
{
	Select(index, index, extend);
}

void BListView::Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < 0 || from >= CountItems() || to >= CountItems())
		return;
	bool changed = _SelectRange(from, to, extend);
	fAnchor = fCursor = from;
	if (changed)
		_SelectionDone();
}

void BListView::Deselect(int32 index)
{
	if (index >= 0 && index < CountItems() && _DeselectRange(index, index))
		_SelectionDone();
}

void BListView::DeselectAll()
{
	if (fFirstSelected >= 0 && _DeselectRange(fFirstSelected, fLastSelected))
		_SelectionDone();
}

void BListView::DeselectExcept(int32 exceptFrom, int32 exceptTo)
{
	if (fFirstSelected < 0 || exceptFrom > exceptTo)
		return;
	bool changed = _DeselectRange(fFirstSelected, exceptFrom - 1);
	changed = (fLastSelected >= 0 && _DeselectRange(exceptTo + 1, fLastSelected)) || changed;
	if (changed)
		_SelectionDone();
}

bool BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != nullptr && item->IsSelected();
}

int32 BListView::CurrentSelection(int32 index) const
{
	if (fFirstSelected < 0 || index < 0)
		return -1;
	for (int32 i = fFirstSelected; i <= fLastSelected; i++) {
		if (fItems[(size_t)i]->IsSelected() && index-- == 0)
			return i;
	}
	return -1;
}

void BListView::SetListType(list_view_type type)
{
	if (type != B_MULTIPLE_SELECTION_LIST)
		type = B_SINGLE_SELECTION_LIST;
	if (type == fListType)
		return;
	fListType = type;
	// A single-selection list keeps the first of the rows that were selected.
	if (type == B_SINGLE_SELECTION_LIST && fFirstSelected >= 0 &&
	    _SelectRange(fFirstSelected, fFirstSelected, false))
		_SelectionDone();
}

void BListView::SetSelectionMessage(BMessage* message)
{
	if (message == fSelectionMessage)
		return;
	delete fSelectionMessage;
	fSelectionMessage = message;
}

void BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}

uint32 BListView::SelectionCommand() const
{
	return fSelectionMessage != nullptr ? fSelectionMessage->what : 0;
}

status_t BListView::Invoke(BMessage* message)
{
	bool notify = false;
	InvokeKind(&notify);
	if (message == nullptr && !notify)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	for (int32 i = fFirstSelected; i >= 0 && i <= fLastSelected; i++) {
		if (fItems[(size_t)i]->IsSelected())
			copy.AddInt32("index", i);
	}
	return BInvoker::Invoke(&copy);
}

// #pragma mark - scrolling

void BListView::_ScrollToItem(int32 index)
{
	BRect frame = ItemFrame(index);
	if (!frame.IsValid())
		return;
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(bounds.left, frame.top);
	else if (frame.bottom > bounds.bottom)
		ScrollTo(bounds.left, std::max(0.0f, frame.bottom - bounds.Height()));
}

void BListView::ScrollToSelection()
{
	_ScrollToItem(CurrentSelection());
}

// #pragma mark - the user

void BListView::AttachedToWindow()
{
	if (!Messenger().IsValid())
		SetTarget(Window());
	_FixupScrollBar();
}

void BListView::MakeFocus(bool focus)
{
	// When another view takes the focus, it is already that view's as this one hears of it;
	// so the list goes by the outcome, not by what it had before.
	BView::MakeFocus(focus);
	// The selection shows the focus, and so does the border of the scroll view around.
	Invalidate();
	if (BScrollView* scrollView = dynamic_cast<BScrollView*>(Parent()))
		scrollView->SetBorderHighlighted(IsFocus());
}

void BListView::WindowActivated(bool active)
{
	if (IsFocus())
		Invalidate();
}

void BListView::_SelectByUser(int32 index, uint32 modifiers, bool fromKeyboard)
{
	bool multiple = fListType == B_MULTIPLE_SELECTION_LIST;
	bool changed;
	if (multiple && (modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
		// Shift: the rows from the anchor to this one; with Command, added to the rest.
		changed = _SelectRange(fAnchor, index, (modifiers & B_COMMAND_KEY) != 0);
	} else if (multiple && (modifiers & B_COMMAND_KEY) != 0 && !fromKeyboard) {
		changed =
		    IsItemSelected(index) ? _DeselectRange(index, index) : _SelectRange(index, index, true);
		fAnchor = index;
	} else {
		changed = _SelectRange(index, index, false);
		fAnchor = index;
	}
	fCursor = index;
	if (changed)
		_SelectionDone();
}

void BListView::MouseDown(BPoint where)
{
	if ((Flags() & B_NAVIGABLE) != 0 && !IsFocus())
		MakeFocus(true);
	BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	int32 clicks = current != nullptr ? current->GetInt32("clicks", 1) : 1;
	uint32 modifiers = current != nullptr ? (uint32)current->GetInt32("modifiers", 0) : 0;
	int32 index = IndexOf(where);
	bool again = index >= 0 && index == fLastClicked;
	fLastClicked = index;
	if (index < 0) {
		// A plain press below the rows lets go of the selection.
		if ((modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) == 0)
			DeselectAll();
		return;
	}
	// The second press of a double click on the same row invokes it; the first selected it.
	if (clicks >= 2 && again) {
		if (!IsItemSelected(index))
			_SelectByUser(index, 0, false);
		Invoke();
		return;
	}
	_SelectByUser(index, modifiers, false);
}

bool BListView::_NavigationTarget(char key, int32* target)
{
	int32 count = CountItems();
	int32 from = fCursor >= 0 && fCursor < count ? fCursor : CurrentSelection();
	float page = Bounds().Height();
	switch (key) {
	case B_UP_ARROW:
		*target = from < 0 ? count - 1 : std::max(from - 1, 0);
		return true;
	case B_DOWN_ARROW:
		*target = from < 0 ? 0 : std::min(from + 1, count - 1);
		return true;
	case B_HOME:
		*target = 0;
		return true;
	case B_END:
		*target = count - 1;
		return true;
	case B_PAGE_UP: {
		float y = from < 0 ? 0 : ItemFrame(from).top - page;
		*target = y <= 0 ? 0 : IndexOf(BPoint(0, y));
		return true;
	}
	case B_PAGE_DOWN:
		*target = IndexOf(BPoint(0, from < 0 ? page : ItemFrame(from).top + page));
		if (*target < 0)
			*target = count - 1;
		return true;
	default:
		return false;
	}
}

void BListView::KeyDown(const char* bytes, int32 numBytes)
{
	char key = numBytes == 1 ? bytes[0] : 0;
	// Without an invocation message Enter is the window's (its default button's).
	if (key == B_ENTER && Message() != nullptr) {
		if (CurrentSelection() >= 0)
			Invoke();
		return;
	}
	int32 target;
	if (!_NavigationTarget(key, &target)) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	if (target < 0 || target >= CountItems())
		return;
	BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	uint32 modifiers = current != nullptr ? (uint32)current->GetInt32("modifiers", 0) : 0;
	_SelectByUser(target, modifiers & B_SHIFT_KEY, true);
	_ScrollToItem(target);
}
