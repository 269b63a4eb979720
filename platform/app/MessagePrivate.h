// Access to the delivery state of a message for the kits that deliver messages: the looper
// and messengers (which target a handler and attach the reply path) and the interface kit
// (which marks a message as dropped).
#ifndef _MESSAGE_PRIVATE_H
#define _MESSAGE_PRIVATE_H

#include <memory>

#include <Message.h>

namespace BPrivate {
class ReplyChannel;
}

class BMessage::Private {
public:
	enum : uint32 {
		kDelivered = 0x01,
		kSourceRemote = 0x02,
		kWasDropped = 0x04,
		kIsReply = 0x08,
		// This copy answers a waiting sender with B_NO_REPLY when it dies unanswered. Only the
		// copy that the receiver got carries it, never copies made from it.
		kReplyRequired = 0x10,
	};

	explicit Private(BMessage* message) : fMessage(message) {}
	explicit Private(BMessage& message) : fMessage(&message) {}

	uint32 Flags() const { return fMessage->fFlags; }
	void SetFlags(uint32 flags) { fMessage->fFlags = flags; }
	void AddFlags(uint32 flags) { fMessage->fFlags |= flags; }

	int32 TargetToken() const { return fMessage->fTargetToken; }
	void SetTargetToken(int32 token) { fMessage->fTargetToken = token; }

	const BMessenger& ReplyTo() const { return fMessage->fReplyTo; }
	void SetReplyTo(const BMessenger& replyTo) { fMessage->fReplyTo = replyTo; }

	const std::shared_ptr<BPrivate::ReplyChannel>& ReplyChannel() const
	{
		return fMessage->fReplyChannel;
	}
	void SetReplyChannel(std::shared_ptr<BPrivate::ReplyChannel> channel)
	{
		fMessage->fReplyChannel = std::move(channel);
	}

	// The size every item of a type must have, or 0 when the type allows items of any size.
	static size_t RequiredItemSize(type_code type);

	// Forgets every delivery detail, as for a message about to be sent anew.
	void ClearDelivery();

	// Marks the message as dropped at `where` (screen coordinates) with the grab offset.
	status_t SetWasDropped(BPoint where, BPoint offset);

private:
	BMessage* fMessage;
};

#endif
