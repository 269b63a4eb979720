#include "TACCandidateList.h"

#include <algorithm>
#include <string>

#include <Message.h>

#include "TACStorageFile.h"

TACCandidateList::TACCandidateList() : mMaxCandidates(kDefaultMaxCandidates) {}

status_t TACCandidateList::SetMaxCandidates(uint32 max)
{
	if (max == 0)
		return -1;
	mMaxCandidates = max;
	if (mCandidates.size() > max)
		mCandidates.resize(max);
	return B_OK;
}

bool TACCandidateList::_Storable(const BString& candidate) const
{
	// A candidate the storage file would refuse (a pasted page rather than something to
	// complete) is not learned either, so what is in memory is what the file keeps.
	return candidate.Length() > mTrigger.Length() && TACStorageFile::IsStorable(candidate);
}

int32 TACCandidateList::_IndexOf(const BString& candidate) const
{
	for (size_t i = 0; i < mCandidates.size(); i++) {
		if (mCandidates[i] == candidate)
			return (int32)i;
	}
	return -1;
}

bool TACCandidateList::Contains(const BString& candidate) const
{
	return _IndexOf(candidate) >= 0;
}

bool TACCandidateList::Add(const BString& candidate)
{
	if (!_Storable(candidate))
		return false;
	int32 index = _IndexOf(candidate);
	if (index >= 0) {
		mCandidates.erase(mCandidates.begin() + index);
		mCandidates.insert(mCandidates.begin(), candidate);
		return true;
	}
	mCandidates.insert(mCandidates.begin(), candidate);
	// One entry goes per new candidate, so a list that Insert let grow shrinks back slowly.
	if (mCandidates.size() > mMaxCandidates)
		mCandidates.pop_back();
	return true;
}

bool TACCandidateList::Insert(const BString& candidate)
{
	if (!_Storable(candidate))
		return false;
	int32 index = _IndexOf(candidate);
	if (index >= 0 && index < kInsertIndex)
		return false;
	if (index >= 0)
		mCandidates.erase(mCandidates.begin() + index);
	size_t place = std::min<size_t>(kInsertIndex, mCandidates.size());
	mCandidates.insert(mCandidates.begin() + place, candidate);
	return true;
}

bool TACCandidateList::Learn(const BString& text)
{
	const std::string& bytes = text.StdString();
	int32 start = KeyStart(text);
	if (start < 0)
		return false;
	BString key(std::string_view(bytes).substr((size_t)start));
	if (!Contains(key))
		return Add(key);
	bool changed = Insert(key);
	// Each longer tail that is known moves up too; the first unknown one joins and ends it.
	while (start > 0 && !mTrigger.IsEmpty()) {
		size_t found = bytes.rfind(mTrigger.StdString(), (size_t)start - 1);
		if (found == std::string::npos)
			break;
		start = (int32)found;
		key = BString(std::string_view(bytes).substr((size_t)start));
		bool known = Contains(key);
		changed = Insert(key) || changed;
		if (!known)
			break;
	}
	return changed;
}

int32 TACCandidateList::KeyStart(const BString& head) const
{
	if (mTrigger.IsEmpty())
		return head.IsEmpty() ? -1 : 0;
	size_t found = head.StdString().rfind(mTrigger.StdString());
	return found == std::string::npos ? -1 : (int32)found;
}

status_t TACCandidateList::Match(const BString& head, BString* best,
                                 std::vector<BString>* all) const
{
	int32 start = KeyStart(head);
	if (start < 0)
		return -1;
	std::string_view key = head.View().substr((size_t)start);
	bool found = false;
	for (const BString& candidate : mCandidates) {
		std::string_view entry = candidate.View();
		if (entry.size() <= key.size() || entry.compare(0, key.size(), key) != 0)
			continue;
		found = true;
		if (all == nullptr) {
			if (best != nullptr)
				*best = candidate;
			return B_OK;
		}
		all->push_back(candidate);
	}
	return found ? B_OK : -1;
}

void TACCandidateList::Append(const BMessage& message)
{
	const char* candidate;
	for (int32 i = 0; message.FindString("_Cdd", i, &candidate) == B_OK; i++)
		mCandidates.push_back(BString(candidate));
}
