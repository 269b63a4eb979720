// Access to the parts of a messenger, and the delivery of one message to its target, for the
// application kit's own classes.
#ifndef _MESSENGER_PRIVATE_H
#define _MESSENGER_PRIVATE_H

#include <memory>

#include <Messenger.h>

namespace BPrivate {
class ReplyChannel;
}

// The looper token that stands for "the application's looper" of a remote team, whose own
// token this process cannot know.
#define B_APP_LOOPER_TOKEN (-3)

class BMessenger::Private {
public:
	explicit Private(BMessenger& messenger) : fMessenger(&messenger) {}
	explicit Private(BMessenger* messenger) : fMessenger(messenger) {}

	team_id Team() const { return fMessenger->fTeam; }
	int32 LooperToken() const { return fMessenger->fLooperToken; }
	int32 HandlerToken() const { return fMessenger->fHandlerToken; }
	void SetTo(team_id team, int32 looperToken, int32 handlerToken)
	{
		fMessenger->fTeam = team;
		fMessenger->fLooperToken = looperToken;
		fMessenger->fHandlerToken = handlerToken;
	}

	// Queues a copy of message for the target. The copy's return address is replyTo; with a
	// reply channel, the receiver's copy owes the channel an answer. The timeout (relative, in
	// microseconds) bounds the wait for room in the target's queue.
	status_t Deliver(const BMessage& message, const BMessenger& replyTo, bigtime_t timeout,
	                 const std::shared_ptr<BPrivate::ReplyChannel>& channel = nullptr) const;

private:
	BMessenger* fMessenger;
};

#endif
