#include "TTTSpy.h"

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "TToolTip.h"

TTTSpy::TTTSpy(TToolTip* toolTip)
    : BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_MOUSE_MOVED), mInside(false), mTarget(nullptr),
      mToolTip(toolTip)
{
}

TTTSpy::~TTTSpy() {}

status_t TTTSpy::SetTarget(BView* target)
{
	if (target == nullptr || target->Looper() == nullptr)
		return -1;
	Detach();
	target->Looper()->AddCommonFilter(this);
	mTarget = target;
	mInside = false;
	return B_OK;
}

void TTTSpy::Detach()
{
	if (BLooper* looper = Looper())
		looper->RemoveCommonFilter(this);
	mTarget = nullptr;
	mInside = false;
}

filter_result TTTSpy::Filter(BMessage* message, BHandler** target)
{
	BLooper* looper = Looper();
	if (looper == nullptr || mToolTip->Looper() != looper || target == nullptr)
		return B_DISPATCH_MESSAGE;
	// The window hands every view concerned by a move its own copy: the view left, the view
	// now under the pointer, the view holding a press. Only a copy that says where the pointer
	// is counts: one that enters or stays in a view, or one to the window itself when the
	// pointer is over no view.
	BHandler* handler = *target;
	int32 transit = message->GetInt32("be:transit", B_INSIDE_VIEW);
	bool over = transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW;
	bool inside;
	if (handler == mTarget)
		inside = over;
	else if (over || dynamic_cast<BView*>(handler) == nullptr)
		inside = false;
	else
		return B_DISPATCH_MESSAGE;
	if (inside && !mInside)
		looper->PostMessage(TToolTip::kMsgMouseEntered, mToolTip);
	else if (!inside && mInside)
		looper->PostMessage(TToolTip::kMsgMouseExited, mToolTip);
	mInside = inside;
	return B_DISPATCH_MESSAGE;
}
