#include "TextUndo.h"

namespace BPrivate {

void TextUndo::Record(int32 offset, const std::string& removed, const std::string& inserted,
                      int32 selectionStart, int32 selectionEnd, Kind kind)
{
	fRedo.clear();
	if (!_Merge(offset, removed, inserted, kind)) {
		if (fUndo.size() >= kMaxSteps)
			fUndo.erase(fUndo.begin());
		fUndo.push_back(Step{offset, removed, inserted, selectionStart, selectionEnd, kind});
	}
	fOpen = kind != kOther;
}

bool TextUndo::_Merge(int32 offset, const std::string& removed, const std::string& inserted,
                      Kind kind)
{
	if (!fOpen || fUndo.empty() || fUndo.back().kind != kind)
		return false;
	Step& last = fUndo.back();
	switch (kind) {
	case kTyping:
		// Typing over a selection starts a step; the characters typed after it join it.
		if (!removed.empty() || offset != last.offset + (int32)last.inserted.size())
			return false;
		last.inserted += inserted;
		return true;
	case kBackspace:
		if (!inserted.empty() || !last.inserted.empty() ||
		    offset + (int32)removed.size() != last.offset)
			return false;
		last.removed.insert(0, removed);
		last.offset = offset;
		return true;
	case kForwardDelete:
		if (!inserted.empty() || !last.inserted.empty() || offset != last.offset)
			return false;
		last.removed += removed;
		return true;
	case kOther:
		return false;
	}
	return false;
}

void TextUndo::Clear()
{
	fUndo.clear();
	fRedo.clear();
	fOpen = false;
}

const TextUndo::Step* TextUndo::Undo()
{
	fOpen = false;
	if (fUndo.empty())
		return nullptr;
	fRedo.push_back(std::move(fUndo.back()));
	fUndo.pop_back();
	return &fRedo.back();
}

const TextUndo::Step* TextUndo::Redo()
{
	fOpen = false;
	if (fRedo.empty())
		return nullptr;
	fUndo.push_back(std::move(fRedo.back()));
	fRedo.pop_back();
	return &fUndo.back();
}

} // namespace BPrivate
