#include "TShortCutFilter.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Looper.h>
#include <Message.h>

TShortCutFilter::TShortCutFilter(BHandler* target)
    : BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN), mTarget(target)
{
}

filter_result TShortCutFilter::Filter(BMessage* message, BHandler** target)
{
	int32 modifiers = message->GetInt32("modifiers", 0);
	int32 rawChar = message->GetInt32("raw_char", 0);
	if ((modifiers & B_CONTROL_KEY) != 0 || rawChar == B_ENTER || rawChar == B_FUNCTION_KEY ||
	    rawChar == B_ESCAPE) {
		BHandler* handler = mTarget != nullptr ? mTarget : Looper();
		if (handler != nullptr)
			*target = handler;
	}
	return B_DISPATCH_MESSAGE;
}
