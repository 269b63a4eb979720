// The content view of a dialog: keyboard shortcuts taken from the controls' labels (a label
// that marks a letter, as "Save (S)", is worked with Alt and that letter), Enter for the
// focused button, a multi-line text or the window's default button, and Escape for the button
// named "ButtonCancel". It also aims its controls at itself.
#ifndef T_DIALOG_VIEW_H
#define T_DIALOG_VIEW_H

#include "TBasicView.h"

class TDialogView : public TBasicView {
public:
	// The view takes the panel's background colour.
	TDialogView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	explicit TDialogView(BMessage* archive);
	~TDialogView() override;

	// A shortcut key the dialog window received.
	virtual void ShortCutDown(char rawChar, int32 keyCode);

	// Walks the view's descendants in order for a control whose label marks the character;
	// 0 when one took it, -1 otherwise.
	int32 ApplyShortCut(BView* view, char rawChar, int32 keyCode) const;

	// Aims every control in the view and below it at this view: those without a target,
	// those aimed at their window (the default), or all of them when forced.
	void SetTargetToThis(BView* view, bool force) const;
};

#endif
