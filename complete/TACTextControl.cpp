#include "TACTextControl.h"

#include <Autolock.h>
#include <InterfaceDefs.h>
#include <Locker.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include "TACFavoriteWindow.h"
#include "TACTCMessageFilter.h"

TACTextControl::TACTextControl(BRect frame, const char* name, const char* label, const char* text,
                               BMessage* message, uint32 resizingMode, uint32 flags)
    : BTextControl(frame, name, label, text, message, resizingMode, flags | B_DRAW_ON_CHILDREN),
      mWasFocused(false), mFavoriteWindow(nullptr), mKeyFilter(nullptr)
{
	BAutolock lock(_InstancesLocker());
	_Instances().push_back(this);
}

TACTextControl::~TACTextControl()
{
	// Normally gone with the window already; a field deleted outside a window still closes
	// what it opened.
	ManageFavoriteWindow(IsFavoriteWindowOpened(), false, "");
	BAutolock lock(_InstancesLocker());
	std::vector<TACTextControl*>& instances = _Instances();
	std::erase(instances, this);
}

void TACTextControl::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgCandidateDetered:
		CandidateDetered(message);
		break;
	case kMsgCandidatesWindowClosed:
		CandidateWindowClosed();
		break;
	case kMsgMateCandidatesUpdated:
		MateCandidatesUpdated(message);
		break;
	default:
		BTextControl::MessageReceived(message);
		break;
	}
}

void TACTextControl::AllAttached()
{
	BTextControl::AllAttached();
	mKeyFilter = new TACTCMessageFilter(this);
	TextView()->AddFilter(mKeyFilter);
	BAutolock lock(_InstancesLocker());
	mSelf = BMessenger(this);
}

void TACTextControl::AllDetached()
{
	{
		BAutolock lock(_InstancesLocker());
		mSelf = BMessenger();
	}
	if (mKeyFilter != nullptr) {
		TextView()->RemoveFilter(mKeyFilter);
		delete mKeyFilter;
		mKeyFilter = nullptr;
	}
	ManageFavoriteWindow(IsFavoriteWindowOpened(), false, "");
	// The list is asked to go rather than locked: it may be on its way out already.
	if (mCandidatesWindow.IsValid())
		mCandidatesWindow.SendMessage(B_QUIT_REQUESTED);
	mCandidatesWindow = BMessenger();
	BTextControl::AllDetached();
}

uint32 TACTextControl::_KeyModifiers() const
{
	// The key's own modifiers, which a dialog's shortcut handling passes along in the message
	// it is working on; the keyboard's state is only the fallback.
	BWindow* window = Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	int32 held;
	if (message != nullptr && message->FindInt32("modifiers", &held) == B_OK)
		return (uint32)held;
	return modifiers();
}

void TACTextControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == nullptr || numBytes <= 0)
		return;
	// A key for the field means the field has the focus, whether or not a redraw has shown
	// that yet (drawing waits while keys come quickly).
	mWasFocused = true;
	bool isOpen = IsFavoriteWindowOpened();
	bool pass = true;
	bool show = true;
	switch (bytes[0]) {
	case B_ENTER:
		if ((_KeyModifiers() & B_SHIFT_KEY) != 0) {
			pass = false;
			if (isOpen && mFavoriteMessenger.LockTarget()) {
				BString favorite = mFavoriteWindow->Favorite();
				mFavoriteWindow->Unlock();
				Deter(favorite.String());
			}
		} else {
			show = false;
			Learn();
		}
		break;
	case B_ESCAPE:
		pass = false;
		show = false;
		break;
	case B_TAB:
		show = false;
		if (isOpen) {
			pass = false;
			ShowCandidatesWindow();
		}
		break;
	}
	if (pass)
		TextView()->KeyDown(bytes, numBytes);
	// Tab may have moved the focus on.
	if (!TextView()->IsFocus()) {
		_FocusLost();
		return;
	}
	// The suggestion follows the new text and caret.
	_UpdateSuggestion(show);
}

void TACTextControl::DrawAfterChildren(BRect updateRect)
{
	BTextControl::DrawAfterChildren(updateRect);
	// A click elsewhere takes the focus without a key; the redraw that follows tells.
	bool focused = TextView()->IsFocus();
	BWindow* window = Window();
	if (window != nullptr && window->IsActive() && mWasFocused && !focused)
		_FocusLost();
	mWasFocused = focused;
}

void TACTextControl::_FocusLost()
{
	mWasFocused = false;
	ManageFavoriteWindow(IsFavoriteWindowOpened(), false, "");
	Learn();
}

void TACTextControl::CandidateDetered(BMessage* message)
{
	const char* candidate;
	if (message->FindString("Candidate", &candidate) != B_OK)
		return;
	Deter(candidate);
	// A suggestion still showing follows the new text, as after a key.
	if (IsFavoriteWindowOpened())
		_UpdateSuggestion(true);
}

void TACTextControl::_UpdateSuggestion(bool show)
{
	BString best;
	if (GetMatchCandidates(&best, nullptr) != B_OK)
		show = false;
	ManageFavoriteWindow(IsFavoriteWindowOpened(), show, best);
}

void TACTextControl::CandidateWindowClosed()
{
	mCandidatesWindow = BMessenger();
	// The list had the keyboard; the user goes on typing here.
	if (BWindow* window = Window(); window != nullptr && !window->IsActive())
		window->Activate();
}
