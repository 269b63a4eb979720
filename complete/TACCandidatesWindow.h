// The floating list of all the candidates that complete what the user is typing, opened with
// Tab from a completing text field. Choosing one (Enter, or a double click) sends it to the
// field; Escape and the close box only close the list. The field hears either way.
#ifndef T_AC_CANDIDATES_WINDOW_H
#define T_AC_CANDIDATES_WINDOW_H

#include <vector>

#include <String.h>

#include "TDialogWindow.h"

class TACCandidatesView;

class TACCandidatesWindow : public TDialogWindow {
public:
	// The results go to the target, which must be in a looper (the field in its window).
	TACCandidatesWindow(BRect frame, BHandler* target);
	~TACCandidatesWindow() override;

	// The list is never empty; the window fits itself to it.
	void SetCandidates(const std::vector<BString>& candidates);
	TACCandidatesView* CandidatesView() const { return mCandidatesView; }

	// Always agrees; a close box tells the field first.
	bool QuitRequested() override;

private:
	TACCandidatesView* mCandidatesView;
};

#endif
