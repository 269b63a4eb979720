// A one-line text field that learns what the user types and offers it again. Whatever follows
// the last occurrence of a trigger string (a "/", say) up to the caret is the key the user is
// typing; every learned candidate that begins with the key and is longer completes it. While
// one does, a pale strip below the caret shows the most recent: Shift+Enter takes it, Tab
// lists them all, Escape puts the strip away. Plain Enter and leaving the field learn the
// text. The candidates are kept in a storage file that every field naming the same file
// shares, also live: a field that learns something tells the others at once.
//
// In a dialog view the field claims Enter and Escape (TKeyClaimer), so they choose and dismiss
// suggestions instead of clicking the dialog's buttons.
#ifndef T_AC_TEXT_CONTROL_H
#define T_AC_TEXT_CONTROL_H

#include <vector>

#include <Messenger.h>
#include <String.h>
#include <TextControl.h>

#include "TACCandidateList.h"
#include "TKeyClaimer.h"

class BLocker;
class TACFavoriteWindow;
class TACTCMessageFilter;

class TACTextControl : public BTextControl, public TKeyClaimer {
public:
	enum : uint32 {
		// The candidates window chose "Candidate" (a string).
		kMsgCandidateDetered = 'ACcd',
		// The candidates window is going away.
		kMsgCandidatesWindowClosed = 'ACcw',
		// Another field changed the candidates of "StorageFName": "_Cdd", most recent first.
		kMsgMateCandidatesUpdated = 'ACmc',
	};

	TACTextControl(BRect frame, const char* name, const char* label, const char* text,
	               BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	               uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~TACTextControl() override;

	void MessageReceived(BMessage* message) override;
	void AllAttached() override;
	void AllDetached() override;
	// Every key typed into the field comes here first (see TACTCMessageFilter).
	void KeyDown(const char* bytes, int32 numBytes) override;
	// Notices that the field lost the focus to a click elsewhere (a key that moves the focus
	// is noticed in KeyDown).
	void DrawAfterChildren(BRect updateRect) override;

	// The trigger; with an empty one the whole text is the key (TACCandidateList).
	void SetTrigger(const char* trigger);
	const BString& Trigger() const { return mCandidates.Trigger(); }
	// -1 for 0; otherwise the oldest candidates beyond the limit go. Nothing is saved.
	status_t SetMaxCandidates(uint32 max);

	// Names the storage file and reads it: B_OK, or -1 with no candidates (a missing, damaged
	// or oversized file); the next save writes the file either way.
	status_t SetTo(const char* path);
	const BString& StorageFName() const { return mStorageFName; }
	// Tells the other fields of the storage file, then replaces the file. -1 without a file,
	// else the writing's status.
	status_t Save() const;

	void AddCandidate(const BString& candidate);
	void InsertCandidate(const BString& candidate);
	// Appends the message's "_Cdd" strings; nothing is saved.
	void AddCandidates(const BMessage* message);
	void Learn();
	std::vector<BString> Candidates() const { return mCandidates.Items(); }
	// The candidates that complete the key before the caret (none while a range is selected):
	// the most recent into *best, or all of them into *all. B_OK when there is one.
	status_t GetMatchCandidates(BString* best, std::vector<BString>* all) const;
	// The caret's offset, or -1 while a range is selected.
	int32 SearchTargetEndPos() const;
	// Puts the candidate in place of the key being typed and uses it. With no key before the
	// caret (a range was selected meanwhile, or the trigger deleted) it goes in as a paste
	// would, in place of the selection.
	void Deter(const char* candidate);

	void ShowCandidatesWindow();
	void ManageFavoriteWindow(bool isOpen, bool wanted, const BString& favorite);
	bool IsFavoriteWindowOpened() const;
	bool IsCandidatesWindowOpened() const;

	// How long Save waits for a field of another window whose queue is full before it leaves
	// that field out; it catches up when it next saves or reads the file.
	static constexpr bigtime_t kMateSendTimeout = 1000000;

private:
	void CandidateDetered(BMessage* message);
	void CandidateWindowClosed();
	void MateCandidatesUpdated(BMessage* message);
	// The screen rectangle below the caret where the popup windows open.
	BRect _PopupFrame(float below) const;
	uint32 _KeyModifiers() const;
	// Shows the best match for the text and caret now, or closes the strip without one (or
	// when not `show`).
	void _UpdateSuggestion(bool show);
	// The field lost the focus: the suggestion goes and the text is learned.
	void _FocusLost();

	static std::vector<TACTextControl*>& _Instances();
	static BLocker& _InstancesLocker();

	bool mWasFocused;
	BString mLastLearned;
	// Written only with the instances' lock held, since other fields' saves read it.
	BString mStorageFName;
	TACCandidateList mCandidates;
	BMessenger mCandidatesWindow;
	TACFavoriteWindow* mFavoriteWindow;
	// The suggestion window through a messenger too: the application may quit it at its end
	// before this field goes, and the messenger tells.
	BMessenger mFavoriteMessenger;
	TACTCMessageFilter* mKeyFilter;
	// This field while it is in a window (with the instances' lock held, for other fields'
	// saves).
	BMessenger mSelf;
};

#endif
