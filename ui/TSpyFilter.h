// Forwards a copy of every message of one code that passes a looper to a spy, marked with
// "SpySendFlag", and lets the message itself go on unchanged. A message that already carries
// the mark is not forwarded again, so two spies watching each other never loop.
#ifndef T_SPY_FILTER_H
#define T_SPY_FILTER_H

#include <MessageFilter.h>
#include <Messenger.h>

class TSpyFilter : public BMessageFilter {
public:
	TSpyFilter(uint32 what, const BMessenger& spy);
	filter_result Filter(BMessage* message, BHandler** target) override;

private:
	BMessenger mSpy;
};

#endif
