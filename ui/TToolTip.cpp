#include "TToolTip.h"

#include <Looper.h>
#include <Message.h>
#include <MessageRunner.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include "TTTSpy.h"
#include "TToolTipWindow.h"

std::atomic<bigtime_t> TToolTip::smLastHideTime{0};

TToolTip::TToolTip(const char* name)
    : BHandler(name), mDelayTime(kDefaultDelayTime), mShowTime(kDefaultShowTime), mRunner(nullptr),
      mTarget(nullptr), mSpy(new TTTSpy(this)), mSpyInstalled(false)
{
}

TToolTip::~TToolTip()
{
	_DeleteRunner();
	Detach();
	// A window that went away before the tip deleted the spy with its other filters.
	if (!mSpyInstalled)
		delete mSpy;
}

void TToolTip::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgMouseEntered:
		MouseEntered();
		break;
	case kMsgMouseExited:
		MouseExited();
		break;
	case kMsgOpenWindow:
		OpenToolTipWindowRqtd();
		break;
	case kMsgHideWindow:
		Hide();
		break;
	default:
		BHandler::MessageReceived(message);
		break;
	}
}

status_t TToolTip::SetTarget(BView* target)
{
	if (target == nullptr || target->Window() == nullptr)
		return -1;
	Detach();
	mTarget = target;
	target->Window()->AddHandler(this);
	mSpy->SetTarget(target);
	mSpyInstalled = true;
	return B_OK;
}

void TToolTip::Detach()
{
	_DeleteRunner();
	BLooper* looper = Looper();
	if (looper == nullptr)
		return;
	if (mSpyInstalled) {
		mSpy->Detach();
		mSpyInstalled = false;
	}
	looper->RemoveHandler(this);
	mTarget = nullptr;
}

void TToolTip::SetTip(const char* tip)
{
	mTip = tip != nullptr ? tip : "";
}

status_t TToolTip::SetDelayTime(bigtime_t delay)
{
	if (delay < 0)
		return -1;
	mDelayTime = delay;
	return B_OK;
}

status_t TToolTip::SetShowTime(bigtime_t show)
{
	if (show < 0)
		return -1;
	mShowTime = show;
	return B_OK;
}

void TToolTip::_DeleteRunner()
{
	delete mRunner;
	mRunner = nullptr;
}

void TToolTip::MouseEntered()
{
	if (mRunner != nullptr)
		return;
	bool recent = system_time() - smLastHideTime < kFollowTime;
	if (IsAnyToolTipWindowOpened() || recent || mDelayTime == 0) {
		// The pointer moves along a row of tipped views: no new wait.
		if (Looper() != nullptr)
			Looper()->PostMessage(kMsgOpenWindow, this);
		return;
	}
	BMessage open(kMsgOpenWindow);
	mRunner = new BMessageRunner(BMessenger(this), &open, mDelayTime, 1);
}

void TToolTip::MouseExited()
{
	_DeleteRunner();
	if (Looper() != nullptr)
		Looper()->PostMessage(kMsgHideWindow, this);
}

void TToolTip::OpenToolTipWindowRqtd()
{
	_DeleteRunner();
	if (mTip.IsEmpty() || mShowTime == 0 || mTarget == nullptr || mWindow.IsValid())
		return;
	BWindow* window = mTarget->Window();
	if (window == nullptr || !window->IsActive())
		return;
	BPoint where;
	uint32 buttons = 0;
	mTarget->GetMouse(&where, &buttons, false);
	if (buttons != 0)
		return;
	where = mTarget->ConvertToScreen(where);
	const float offset = TToolTipWindow::kPointerOffset;
	BRect frame(where.x - offset, where.y + offset, where.x - offset, where.y + offset);
	TToolTipWindow* tip =
	    new TToolTipWindow(frame, ToolTipWindowName().String(), mTip.String(), mShowTime);
	mWindow = BMessenger(tip);
	tip->Show();
}

void TToolTip::Hide()
{
	// A click before the delay is over wants no tip right after it either.
	_DeleteRunner();
	if (!mWindow.IsValid())
		return;
	mWindow.SendMessage(B_QUIT_REQUESTED);
	mWindow = BMessenger();
	smLastHideTime = system_time();
}

BString TToolTip::ToolTipWindowName() const
{
	BString name("TlTipWin_");
	if (Name() != nullptr)
		name << Name();
	return name;
}

BMessenger TToolTip::FindToolTipWindow() const
{
	return mWindow.IsValid() ? mWindow : BMessenger();
}

bool TToolTip::IsAnyToolTipWindowOpened()
{
	return TToolTipWindow::CountOpen() > 0;
}
