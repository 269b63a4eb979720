// TACTextControl: the suggestion strip and the list of candidates that open below the caret.
#include "TACTextControl.h"

#include <TextView.h>
#include <Window.h>

#include "TACCandidatesWindow.h"
#include "TACFavoriteWindow.h"
#include "UIUtils.h"

namespace {

// The list opens this far below where the strip would: room for its title bar, so that the
// field stays in sight.
const float kCandidatesBelow = 22;

} // namespace

BRect TACTextControl::_PopupFrame(float below) const
{
	BTextView* text = TextView();
	BRect field = ConvertToScreen(text->Frame());
	int32 start, end;
	text->GetSelection(&start, &end);
	if (start == end)
		field.left = text->ConvertToScreen(text->PointAt(end)).x;
	// Right below the field's frame, so that the strip covers neither the text nor the frame.
	float top = ConvertToScreen(Bounds()).bottom + 1 + below;
	return BRect(field.left, top, field.left + 1, top + 1);
}

bool TACTextControl::IsFavoriteWindowOpened() const
{
	return mFavoriteWindow != nullptr && mFavoriteMessenger.IsValid();
}

bool TACTextControl::IsCandidatesWindowOpened() const
{
	return mCandidatesWindow.IsValid();
}

void TACTextControl::ManageFavoriteWindow(bool isOpen, bool wanted, const BString& favorite)
{
	if (isOpen && !mFavoriteMessenger.LockTarget()) {
		// The application closed it (it quits its windows at its end).
		mFavoriteWindow = nullptr;
		isOpen = false;
	}
	if (isOpen) {
		if (wanted) {
			mFavoriteWindow->SetFavorite(favorite);
			mFavoriteWindow->Unlock();
		} else {
			// Still locked: close_window takes one more lock and quits it.
			close_window(&mFavoriteWindow);
		}
		if (mFavoriteWindow == nullptr)
			mFavoriteMessenger = BMessenger();
		return;
	}
	if (!wanted)
		return;
	BRect frame = _PopupFrame(0);
	TACFavoriteWindow* window = new TACFavoriteWindow(frame);
	mFavoriteWindow = window;
	mFavoriteMessenger = BMessenger(window);
	// Sized to its text before it is placed, so that it is kept whole on the screen.
	window->SetFavorite(favorite);
	window->IntelligentMoveTo(frame.LeftTop());
	window->Appear();
}

void TACTextControl::ShowCandidatesWindow()
{
	if (IsCandidatesWindowOpened())
		return;
	std::vector<BString> matches;
	if (GetMatchCandidates(nullptr, &matches) != B_OK)
		return;
	BRect frame = _PopupFrame(kCandidatesBelow);
	TACCandidatesWindow* window = new TACCandidatesWindow(frame, this);
	mCandidatesWindow = BMessenger(window);
	window->SetCandidates(matches);
	window->IntelligentMoveTo(frame.LeftTop());
	window->Appear();
}
