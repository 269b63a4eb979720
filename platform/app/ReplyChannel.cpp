#include "ReplyChannel.h"

#include <chrono>

#include <OS.h>

namespace BPrivate {

ReplyChannel::~ReplyChannel() = default;

status_t ReplyChannel::Deliver(const BMessage& reply, bigtime_t timeout)
{
	if (fReplied.exchange(true))
		return B_DUPLICATE_REPLY;
	return DeliverOnce(reply, timeout);
}

status_t LocalReplySlot::DeliverOnce(const BMessage& reply, bigtime_t)
{
	std::lock_guard<std::mutex> guard(fLock);
	fReply = reply;
	fHasReply = true;
	fArrived.notify_all();
	return B_OK;
}

status_t LocalReplySlot::Wait(BMessage* reply, bigtime_t deadline)
{
	std::unique_lock<std::mutex> guard(fLock);
	auto arrived = [this] { return fHasReply; };
	if (deadline == B_INFINITE_TIMEOUT) {
		fArrived.wait(guard, arrived);
	} else {
		bigtime_t left = min_c(deadline - system_time(), (bigtime_t)1 << 50);
		if (!fArrived.wait_for(guard, std::chrono::microseconds(left > 0 ? left : 0), arrived))
			return B_TIMED_OUT;
	}
	*reply = fReply;
	return B_OK;
}

} // namespace BPrivate
