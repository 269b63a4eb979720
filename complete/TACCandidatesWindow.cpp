#include "TACCandidatesWindow.h"

#include "TACCandidatesView.h"

TACCandidatesWindow::TACCandidatesWindow(BRect frame, BHandler* target)
    : TDialogWindow(frame, "ACCandidatesWindow", B_FLOATING_WINDOW,
                    B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS, B_CURRENT_WORKSPACE)
{
	mCandidatesView = new TACCandidatesView(BRect(0, 0, 1, 1), target);
	BRect bounds = mCandidatesView->Bounds();
	ResizeTo(bounds.right, bounds.bottom);
	AddChild(mCandidatesView);
}

TACCandidatesWindow::~TACCandidatesWindow() {}

void TACCandidatesWindow::SetCandidates(const std::vector<BString>& candidates)
{
	mCandidatesView->SetCandidates(candidates);
}

bool TACCandidatesWindow::QuitRequested()
{
	// A quit asked for by a message is the user's (the close box); the field must know the
	// list is gone. The window then quits on its own.
	if (CurrentMessage() != nullptr)
		mCandidatesView->NotifyClosed();
	return true;
}
