#include "TACCandidatesView.h"

#include <algorithm>
#include <cmath>

#include <Autolock.h>
#include <ListItem.h>
#include <ListView.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TLocale.h>
#include <Window.h>

#include "CompleteLocaleKeys.h"
#include "TACTextControl.h"
#include "TToolBar.h"
#include "TToolButton.h"

namespace {

// The list is at least this wide, and the window adds the scroll bar and the border to it.
const float kMinListWidth = 100;
const float kFrameRoom = B_V_SCROLL_BAR_WIDTH + 8;

} // namespace

TACCandidatesView::TACCandidatesView(BRect frame, BHandler* target)
    : TDialogView(frame, "ACCandidatesView", B_FOLLOW_NONE, B_WILL_DRAW), mTarget(target)
{
	mListView = new BListView(BRect(0, 0, 86, 1), "LViewCandidates", B_SINGLE_SELECTION_LIST,
	                          B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	// The parts follow the view's size only once the view has its own: growing it from
	// nothing would stretch them.
	BScrollView* scroll =
	    new BScrollView("ScrlView", mListView, B_FOLLOW_NONE, 0, false, true, B_FANCY_BORDER);
	scroll->ResizeTo(kMinListWidth, scroll->Bounds().Height());
	AddChild(scroll);

	float top = scroll->Frame().bottom + 1;
	mToolBar = new TToolBar(BRect(0, top, kMinListWidth, top + 1), "ToolBar", B_FOLLOW_NONE);
	AddChild(mToolBar);
	mLRUButton = new TToolButton(BRect(0, 0, 1, 1), "TBLRU", nullptr, "",
	                             new BMessage(kMsgSortChanged), TToolButton::kToggleBehavior);
	mAlphaButton = new TToolButton(BRect(0, 0, 1, 1), "TBAlpha", nullptr, "",
	                               new BMessage(kMsgSortChanged), TToolButton::kToggleBehavior);
	mToolBar->AddItem(mLRUButton);
	mToolBar->AddItem(mAlphaButton);

	mListView->SetInvocationMessage(new BMessage(kMsgListInvoked));
	// The pair acts as a radio group, recency first.
	mLRUButton->SetRadioMode(true);
	mLRUButton->SetValue(1);

	ResizeTo(kMinListWidth, mToolBar->Frame().bottom);
	scroll->SetResizingMode(B_FOLLOW_ALL);
	mToolBar->SetResizingMode(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	SetResizingMode(B_FOLLOW_ALL);
}

TACCandidatesView::~TACCandidatesView() {}

void TACCandidatesView::AllAttached()
{
	TDialogView::AllAttached();
	SetTargetToThis(this, false);
	mListView->SetTarget(this);
	mListView->MakeFocus(true);
	SetViewLabels();
}

void TACCandidatesView::SetViewLabels()
{
	mLRUButton->SetLabel(gLocale.GetString(LKK_ACC_VIEW_TBUTTON_SORT_LRU));
	mAlphaButton->SetLabel(gLocale.GetString(LKK_ACC_VIEW_TBUTTON_SORT_ALPHA));
	mToolBar->RelocateItems(0);
}

void TACCandidatesView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgListInvoked:
		LViewCandidatesSelected();
		break;
	case kMsgSortChanged:
		TButtonSortClicked();
		break;
	default:
		TDialogView::MessageReceived(message);
		break;
	}
}

void TACCandidatesView::ShortCutDown(char rawChar, int32 keyCode)
{
	if (rawChar == B_ENTER)
		Deter();
	else if (rawChar == B_ESCAPE)
		Cancel();
	else
		TDialogView::ShortCutDown(rawChar, keyCode);
}

void TACCandidatesView::SetCandidates(const std::vector<BString>& candidates)
{
	BWindow* window = Window();
	BAutolock lock(window);
	if (window != nullptr && !lock.IsLocked())
		return;
	mListView->DeselectAll();
	mListView->MakeEmpty();
	mCandidates = candidates;
	mShownCandidates = candidates;
	// Byte order: capitals before small letters, Latin before Japanese.
	if (mAlphaButton->Value() != 0)
		std::sort(mShownCandidates.begin(), mShownCandidates.end());

	float width = kMinListWidth;
	for (const BString& candidate : mShownCandidates) {
		mListView->AddItem(new BStringItem(candidate.String()));
		width = std::max(width, std::ceil(mListView->StringWidth(candidate.String())));
	}
	if (window != nullptr && !mShownCandidates.empty()) {
		// The window is sized so that the list shows exactly the rows it needs, nine at most.
		int32 rows = std::min<int32>((int32)mShownCandidates.size(), kMaxRows);
		float rowPixels = mListView->ItemAt(0)->Height() + 1;
		float shownPixels = mListView->Bounds().Height() + 1;
		// Both sort buttons stay whole however narrow the entries are.
		float barWidth, barHeight;
		mToolBar->GetPreferredSize(&barWidth, &barHeight);
		float windowWidth = std::max(width + kFrameRoom, barWidth);
		window->ResizeBy(windowWidth - window->Bounds().Width(), rows * rowPixels - shownPixels);
	}
	mListView->Select(0);
}

void TACCandidatesView::TButtonSortClicked()
{
	std::vector<BString> candidates = mCandidates;
	SetCandidates(candidates);
}

void TACCandidatesView::Deter()
{
	int32 selected = mListView->CurrentSelection();
	if (selected < 0 || selected >= (int32)mShownCandidates.size())
		return;
	BMessage chosen(TACTextControl::kMsgCandidateDetered);
	chosen.AddString("Candidate", mShownCandidates[(size_t)selected]);
	mTarget.SendMessage(&chosen);
	Cancel();
}

void TACCandidatesView::NotifyClosed()
{
	mTarget.SendMessage(TACTextControl::kMsgCandidatesWindowClosed);
}

void TACCandidatesView::Cancel()
{
	NotifyClosed();
	if (BWindow* window = Window())
		window->Quit();
}
