// The content of the list of candidates: the candidates in a scrolling list (nine rows show at
// most) and a tool bar of two buttons that order them by recency, as the field keeps them, or
// by their bytes. The first row is always selected after a refill, so Enter at once takes the
// top entry.
#ifndef T_AC_CANDIDATES_VIEW_H
#define T_AC_CANDIDATES_VIEW_H

#include <vector>

#include <Messenger.h>
#include <String.h>

#include "TDialogView.h"

class BListView;
class TToolBar;
class TToolButton;

class TACCandidatesView : public TDialogView {
public:
	enum : uint32 {
		// A row of the list was invoked (a double click).
		kMsgListInvoked = 'AClc',
		// A sort button was pressed.
		kMsgSortChanged = 'ACst',
	};

	TACCandidatesView(BRect frame, BHandler* target);
	~TACCandidatesView() override;

	void MessageReceived(BMessage* message) override;
	void AllAttached() override;
	// Enter chooses the selected row, Escape closes the list.
	void ShortCutDown(char rawChar, int32 keyCode) override;

	// Fills the list (in the chosen order), fits the window to it and selects the first row.
	// Locks the window itself.
	void SetCandidates(const std::vector<BString>& candidates);
	// Sends the selected row to the field and closes the list; nothing without a selection.
	void Deter();
	void LViewCandidatesSelected() { Deter(); }
	// Tells the field that the list goes, and closes it.
	void Cancel();
	void NotifyClosed();
	void TButtonSortClicked();
	void SetViewLabels();

	// The candidates as the rows show them.
	const std::vector<BString>& ShownCandidates() const { return mShownCandidates; }
	BListView* ListView() const { return mListView; }

	// The most rows the list shows before it scrolls.
	static constexpr int32 kMaxRows = 9;

private:
	std::vector<BString> mCandidates;
	std::vector<BString> mShownCandidates;
	BMessenger mTarget;
	BListView* mListView;
	TToolBar* mToolBar;
	TToolButton* mAlphaButton;
	TToolButton* mLRUButton;
};

#endif
