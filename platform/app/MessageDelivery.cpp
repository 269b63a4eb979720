// The delivery side of BMessage: what a received message knows about how it came, and the
// replies to it.
#include <Message.h>

#include <Application.h>
#include <Handler.h>

#include "MessagePrivate.h"
#include "MessengerPrivate.h"
#include "ReplyChannel.h"

bool BMessage::WasDelivered() const
{
	return (fFlags & Private::kDelivered) != 0;
}

bool BMessage::IsSourceWaiting() const
{
	return WasDelivered() && fReplyChannel && !fReplyChannel->Replied();
}

bool BMessage::IsSourceRemote() const
{
	return (fFlags & Private::kSourceRemote) != 0;
}

bool BMessage::IsReply() const
{
	return (fFlags & Private::kIsReply) != 0;
}

BMessenger BMessage::ReturnAddress() const
{
	return WasDelivered() ? fReplyTo : BMessenger();
}

bool BMessage::WasDropped() const
{
	return (fFlags & Private::kWasDropped) != 0;
}

BPoint BMessage::DropPoint(BPoint* offset) const
{
	if (offset != nullptr)
		*offset = GetPoint("_drop_offset_", BPoint());
	return GetPoint("_drop_point_", BPoint());
}

status_t BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}

status_t BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	BMessenger replyMessenger;
	if (replyTo != nullptr)
		replyMessenger = BMessenger(replyTo);
	return _SendReply(reply, replyMessenger, timeout);
}

status_t BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	return _SendReply(reply, replyTo, timeout);
}

status_t BMessage::_SendReply(BMessage* reply, const BMessenger& replyTo, bigtime_t timeout)
{
	if (reply == nullptr)
		return B_BAD_VALUE;
	if (!WasDelivered())
		return B_BAD_REPLY;

	BMessage answer(*reply);
	Private(answer).ClearDelivery();
	Private(answer).AddFlags(Private::kIsReply);
	// A waiting sender takes the reply; otherwise it goes to the return address.
	if (fReplyChannel) {
		Private(answer).SetReplyTo(replyTo);
		return fReplyChannel->Deliver(answer, timeout);
	}
	if (fReplyTo.Team() < 0)
		return B_BAD_REPLY;
	return BMessenger::Private(fReplyTo).Deliver(answer, replyTo, timeout);
}

void BMessage::Private::ClearDelivery()
{
	// A message that still owes a waiting sender an answer gives it (B_NO_REPLY) before it
	// forgets the way back.
	fMessage->_ReleaseReplyObligation();
	fMessage->fTargetToken = B_NULL_TOKEN;
	fMessage->fReplyTo = BMessenger();
	fMessage->fReplyChannel.reset();
	// Being a reply and having been dropped describe the message itself and travel with it.
	fMessage->fFlags &= kWasDropped | kIsReply;
}

status_t BMessage::Private::SetWasDropped(BPoint where, BPoint offset)
{
	fMessage->RemoveName("_drop_point_");
	fMessage->RemoveName("_drop_offset_");
	status_t status = fMessage->AddPoint("_drop_point_", where);
	if (status == B_OK)
		status = fMessage->AddPoint("_drop_offset_", offset);
	if (status == B_OK)
		fMessage->fFlags |= kWasDropped;
	return status;
}
