// TACTextControl: learning, matching and choosing candidates, and the list's storage file
// shared with the other fields that name it.
#include "TACTextControl.h"

#include <cstring>

#include <Autolock.h>
#include <Locker.h>
#include <Message.h>
#include <TextView.h>

#include "TACStorageFile.h"

std::vector<TACTextControl*>& TACTextControl::_Instances()
{
	// Made on first use and never destroyed: fields may outlive the ordering of static
	// destructors at the program's end.
	static std::vector<TACTextControl*>* instances = new std::vector<TACTextControl*>;
	return *instances;
}

BLocker& TACTextControl::_InstancesLocker()
{
	static BLocker* locker = new BLocker("TACTextControl instances");
	return *locker;
}

void TACTextControl::SetTrigger(const char* trigger)
{
	mCandidates.SetTrigger(trigger != nullptr ? trigger : "");
}

status_t TACTextControl::SetMaxCandidates(uint32 max)
{
	return mCandidates.SetMaxCandidates(max);
}

void TACTextControl::AddCandidate(const BString& candidate)
{
	if (mCandidates.Add(candidate))
		Save();
}

void TACTextControl::InsertCandidate(const BString& candidate)
{
	if (mCandidates.Insert(candidate))
		Save();
}

void TACTextControl::AddCandidates(const BMessage* message)
{
	if (message != nullptr)
		mCandidates.Append(*message);
}

void TACTextControl::Learn()
{
	BString text(Text());
	if (text == mLastLearned)
		return;
	mLastLearned = text;
	if (mCandidates.Learn(text))
		Save();
}

int32 TACTextControl::SearchTargetEndPos() const
{
	int32 start, end;
	TextView()->GetSelection(&start, &end);
	return start == end ? end : -1;
}

status_t TACTextControl::GetMatchCandidates(BString* best, std::vector<BString>* all) const
{
	int32 end = SearchTargetEndPos();
	if (end < 0)
		return -1;
	return mCandidates.Match(BString(Text(), end), best, all);
}

void TACTextControl::Deter(const char* candidate)
{
	if (candidate == nullptr)
		return;
	BTextView* text = TextView();
	int32 from, to;
	text->GetSelection(&from, &to);
	int32 end = SearchTargetEndPos();
	if (end >= 0) {
		int32 start = mCandidates.KeyStart(BString(Text(), end));
		if (start >= 0)
			from = start;
	}
	text->Delete(from, to);
	text->Insert(from, candidate, (int32)strlen(candidate));
	int32 caret = from + (int32)strlen(candidate);
	text->Select(caret, caret);
	AddCandidate(candidate);
}

// #pragma mark - storage

status_t TACTextControl::SetTo(const char* path)
{
	{
		BAutolock lock(_InstancesLocker());
		mStorageFName = path != nullptr ? path : "";
	}
	mCandidates.Clear();
	std::vector<BString> stored;
	if (mStorageFName.IsEmpty() || TACStorageFile::Read(mStorageFName.String(), &stored) != B_OK)
		return -1;
	mCandidates.Assign(stored);
	return B_OK;
}

status_t TACTextControl::Save() const
{
	if (mStorageFName.IsEmpty())
		return -1;
	BMessage storage;
	TACStorageFile::MakeMessage(mCandidates.Items(), &storage);
	BMessage update(storage);
	update.what = kMsgMateCandidatesUpdated;
	update.AddString("StorageFName", mStorageFName);

	// The fields of other windows are only sent a message, and not before the lock is
	// released: a window whose queue is full may itself be waiting for the lock (to make a
	// field), and would never take the message while this thread held it.
	std::vector<BMessenger> mates;
	{
		BAutolock lock(_InstancesLocker());
		for (TACTextControl* other : _Instances()) {
			if (other == this || other->mStorageFName != mStorageFName)
				continue;
			if (other->mSelf.IsValid())
				mates.push_back(other->mSelf);
			else
				other->mCandidates.Assign(mCandidates.Items());
		}
	}
	for (const BMessenger& mate : mates)
		mate.SendMessage(&update, (BHandler*)nullptr, kMateSendTimeout);

	return TACStorageFile::Write(mStorageFName.String(), storage);
}

void TACTextControl::MateCandidatesUpdated(BMessage* message)
{
	const char* path;
	if (message->FindString("StorageFName", &path) != B_OK || mStorageFName != path)
		return;
	mCandidates.Clear();
	mCandidates.Append(*message);
}
