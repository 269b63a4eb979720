// The way back to a sender that waits for a reply in BMessenger::SendMessage. A waiting sender
// takes exactly one reply; the channel remembers that it was used so that a second reply is
// refused and a message that is deleted unanswered can still send B_NO_REPLY once.
//
// Private to the application kit.
#ifndef _REPLY_CHANNEL_H
#define _REPLY_CHANNEL_H

#include <atomic>
#include <condition_variable>
#include <mutex>

#include <Message.h>

namespace BPrivate {

class ReplyChannel {
public:
	ReplyChannel() = default;
	virtual ~ReplyChannel();

	// B_DUPLICATE_REPLY when a reply was already handed over.
	status_t Deliver(const BMessage& reply, bigtime_t timeout);
	bool Replied() const { return fReplied.load(); }

	ReplyChannel(const ReplyChannel&) = delete;
	ReplyChannel& operator=(const ReplyChannel&) = delete;

protected:
	virtual status_t DeliverOnce(const BMessage& reply, bigtime_t timeout) = 0;

private:
	std::atomic<bool> fReplied{false};
};

// A sender in this process: it blocks in Wait until the reply is handed over.
class LocalReplySlot : public ReplyChannel {
public:
	// B_OK with the reply, or B_TIMED_OUT (deadline is a system_time, or B_INFINITE_TIMEOUT).
	status_t Wait(BMessage* reply, bigtime_t deadline);

protected:
	status_t DeliverOnce(const BMessage& reply, bigtime_t timeout) override;

private:
	std::mutex fLock;
	std::condition_variable fArrived;
	bool fHasReply = false;
	BMessage fReply;
};

} // namespace BPrivate

#endif
