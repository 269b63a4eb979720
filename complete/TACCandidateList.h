// The candidates of a completing text field and the rules by which they are learned and found.
// A candidate is the text from an occurrence of the trigger (a byte string such as "/") to the
// end of the field, trigger included; candidates are byte strings compared byte by byte. The
// list is kept most recently used first and limited in length.
//
// With an empty trigger the field's whole text is the key: what the user typed from the start
// of the field is completed, and an empty field suggests nothing.
#ifndef T_AC_CANDIDATE_LIST_H
#define T_AC_CANDIDATE_LIST_H

#include <vector>

#include <String.h>

class BMessage;

class TACCandidateList {
public:
	TACCandidateList();

	void SetTrigger(const BString& trigger) { mTrigger = trigger; }
	const BString& Trigger() const { return mTrigger; }
	// -1 for 0, changing nothing; otherwise the oldest entries beyond the new limit go.
	status_t SetMaxCandidates(uint32 max);
	uint32 MaxCandidates() const { return mMaxCandidates; }

	// The candidate was used now: it goes to the front, and a new one pushes out the oldest
	// entry when the list is full. False, changing nothing, for a candidate no longer than the
	// trigger or one the storage file could not keep (TACStorageFile::IsStorable).
	bool Add(const BString& candidate);
	// The candidate was used within a longer text: unless it is among the six most recent
	// entries it moves to the seventh place (the list may grow past its limit here until the
	// next Add). False when nothing changed.
	bool Insert(const BString& candidate);
	// Learns the text of a field: the part after the last trigger goes to the front when it
	// is new; when it is known, it and each longer known tail move to the seventh place, and
	// the first unknown longer tail joins there. True when the list changed.
	bool Learn(const BString& text);

	// Where the key the user is typing starts in the text before the caret, or -1.
	int32 KeyStart(const BString& head) const;
	// The entries that complete the key at the end of `head` (strictly longer and beginning
	// with it), most recent first: the first into *best when `all` is null, else every one
	// appended to *all. B_OK when there was one, -1 otherwise.
	status_t Match(const BString& head, BString* best, std::vector<BString>* all) const;

	// Appends the "_Cdd" strings of the message, from index 0 until the first missing one;
	// no check for duplicates, no limit.
	void Append(const BMessage& message);
	void Assign(const std::vector<BString>& candidates) { mCandidates = candidates; }
	void Clear() { mCandidates.clear(); }
	const std::vector<BString>& Items() const { return mCandidates; }
	int32 CountItems() const { return (int32)mCandidates.size(); }
	bool Contains(const BString& candidate) const;

	static constexpr uint32 kDefaultMaxCandidates = 18;
	// The place that a candidate used within a longer text takes.
	static constexpr int32 kInsertIndex = 6;

private:
	bool _Storable(const BString& candidate) const;
	int32 _IndexOf(const BString& candidate) const;

	BString mTrigger;
	uint32 mMaxCandidates;
	std::vector<BString> mCandidates;
};

#endif
