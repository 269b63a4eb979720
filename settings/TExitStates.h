// TExitStates is what the user left behind at the last quit: the favourite colour sets of the
// editor, the sign text on display and the main window's frame. The program loads it before
// its window exists and saves it after the window is gone.
#ifndef T_EXIT_STATES_H
#define T_EXIT_STATES_H

#include <GraphicsDefs.h>
#include <Rect.h>
#include <String.h>

#include "TTamarackArchivable.h"

class TExitStates : public TTamarackArchivable {
public:
	// The favourite sets shown in the editor; each holds FG, BG and Gap in that order.
	static constexpr int32 kFavoriteColorSets = 9;
	static constexpr int32 kColorsPerSet = 3;

	TExitStates();
	~TExitStates() override;

	// "Clrs" (27 raw four-byte items, set by set), "_Ver" (the running program's version,
	// whatever mVersion holds), "DpTx" and "_WFr" after the base's fields. A display text too
	// long for a settings file is archived cut at a character boundary, so that the archive
	// stays within kMaxFileSize and the rest of the record is always saved.
	status_t Archive(BMessage* into, bool deep = true) const override;
	// Found colours come back opaque. The status counts the base, "_Ver", "DpTx" and "_WFr";
	// a missing colour keeps its value without making the result non-zero.
	status_t Unarchive(const BMessage* from) override;

	status_t LoadFromFile();
	status_t SaveToFile() const;

	rgb_color mFavoriteColorSets[kFavoriteColorSets][kColorsPerSet];
	// The version text of the program that wrote the file last; nothing reads it.
	BString mVersion;
	BString mDisplayText;
	BRect mWindowFrame;
};

extern TExitStates gExitStates;

#endif
