#include "TACTCMessageFilter.h"

#include <AppDefs.h>

TACTCMessageFilter::TACTCMessageFilter(BHandler* target)
    : BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN), mTarget(target)
{
}

filter_result TACTCMessageFilter::Filter(BMessage*, BHandler** target)
{
	*target = mTarget;
	return B_DISPATCH_MESSAGE;
}
