#include "TSpyFilter.h"

#include <Message.h>

TSpyFilter::TSpyFilter(uint32 what, const BMessenger& spy) : BMessageFilter(what), mSpy(spy) {}

filter_result TSpyFilter::Filter(BMessage* message, BHandler**)
{
	if (!message->HasBool("SpySendFlag")) {
		BMessage copy(*message);
		copy.AddBool("SpySendFlag", true);
		mSpy.SendMessage(&copy);
	}
	return B_DISPATCH_MESSAGE;
}
