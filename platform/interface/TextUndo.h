// The undo and redo history of a text view. Each step records one replacement (the bytes that
// were removed at an offset and the bytes that took their place) and the selection before it.
// Continued typing, and continued deleting with Backspace or Delete, grow the last step
// instead of adding one, so that Ctrl+Z takes back a typed word at once; anything else that
// moves the caret seals the step.
#ifndef _TEXT_UNDO_H
#define _TEXT_UNDO_H

#include <string>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

class TextUndo {
public:
	enum Kind {
		kTyping,
		kBackspace,
		kForwardDelete,
		// Pastes, cuts, input-method commits: always a step of their own.
		kOther,
	};

	struct Step {
		int32 offset = 0;
		std::string removed;
		std::string inserted;
		int32 selectionStart = 0;
		int32 selectionEnd = 0;
		Kind kind = kOther;
	};

	// A replacement the user made; forgets what could be redone.
	void Record(int32 offset, const std::string& removed, const std::string& inserted,
	            int32 selectionStart, int32 selectionEnd, Kind kind);
	// The next replacement starts a step of its own.
	void Seal() { fOpen = false; }
	void Clear();

	bool CanUndo() const { return !fUndo.empty(); }
	bool CanRedo() const { return !fRedo.empty(); }
	// The step to take back (or to make again), moved to the other list; null when there is
	// none. The pointer is good until the history next changes.
	const Step* Undo();
	const Step* Redo();

	// The oldest steps are forgotten beyond this many.
	static constexpr size_t kMaxSteps = 256;

private:
	bool _Merge(int32 offset, const std::string& removed, const std::string& inserted, Kind kind);

	std::vector<Step> fUndo;
	std::vector<Step> fRedo;
	bool fOpen = false;
};

} // namespace BPrivate

#endif
