#include <MessageRunner.h>

#include <Message.h>

#include "RunnerScheduler.h"

using BPrivate::RunnerScheduler;

namespace {

bool valid_runner(const BMessage* message, bigtime_t interval, int32 count)
{
	return message != nullptr && interval > 0 && (count > 0 || count == -1);
}

} // namespace

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
                               int32 count)
{
	_Init(target, message, interval, count, BMessenger());
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
                               int32 count)
{
	_Init(target, &message, interval, count, BMessenger());
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
                               int32 count, BMessenger replyTo)
{
	_Init(target, message, interval, count, replyTo);
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
                               int32 count, BMessenger replyTo)
{
	_Init(target, &message, interval, count, replyTo);
}

void BMessageRunner::_Init(BMessenger target, const BMessage* message, bigtime_t interval,
                           int32 count, BMessenger replyTo)
{
	fToken = -1;
	if (!valid_runner(message, interval, count)) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	fToken = RunnerScheduler::Default().Add(target, *message, replyTo, interval, count);
	fInitStatus = B_OK;
}

BMessageRunner::~BMessageRunner()
{
	if (fToken > 0)
		RunnerScheduler::Default().Remove(fToken);
}

status_t BMessageRunner::SetInterval(bigtime_t interval)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	return RunnerScheduler::Default().SetInterval(fToken, interval);
}

status_t BMessageRunner::SetCount(int32 count)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	return RunnerScheduler::Default().SetCount(fToken, count);
}

status_t BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	return RunnerScheduler::Default().GetInfo(fToken, interval, count);
}

status_t BMessageRunner::StartSending(BMessenger target, const BMessage* message,
                                      bigtime_t interval, int32 count)
{
	return StartSending(target, message, interval, count, BMessenger());
}

status_t BMessageRunner::StartSending(BMessenger target, const BMessage* message,
                                      bigtime_t interval, int32 count, BMessenger replyTo)
{
	// Without an object nobody could stop an endless runner.
	if (!valid_runner(message, interval, count) || count == -1)
		return B_BAD_VALUE;
	int32 token = RunnerScheduler::Default().Add(target, *message, replyTo, interval, count);
	return token > 0 ? B_OK : token;
}
