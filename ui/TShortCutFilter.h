// Sends shortcut keys to the window (or to a chosen handler) instead of the focused view:
// every key pressed with the platform's Control modifier (Alt here), and Enter, Escape and the
// function keys without it. Other keys keep their target, so plain letters still type.
#ifndef T_SHORT_CUT_FILTER_H
#define T_SHORT_CUT_FILTER_H

#include <MessageFilter.h>

class TShortCutFilter : public BMessageFilter {
public:
	// Null: the filter's looper (the window) takes the keys.
	explicit TShortCutFilter(BHandler* target);
	filter_result Filter(BMessage* message, BHandler** target) override;

private:
	BHandler* mTarget;
};

#endif
