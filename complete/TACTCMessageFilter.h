// The key filter of a completing text field's inner text view: it hands every key typed into
// the view to the field first, which decides what reaches the view.
#ifndef T_ACTC_MESSAGE_FILTER_H
#define T_ACTC_MESSAGE_FILTER_H

#include <MessageFilter.h>

class TACTCMessageFilter : public BMessageFilter {
public:
	explicit TACTCMessageFilter(BHandler* target);
	filter_result Filter(BMessage* message, BHandler** target) override;

private:
	BHandler* mTarget;
};

#endif
