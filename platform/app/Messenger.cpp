#include <Messenger.h>

#include <cstring>
#include <unistd.h>

#include <Application.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "AppRegistry.h"
#include "AppTransport.h"
#include "LooperPort.h"
#include "LooperRegistry.h"
#include "MessagePrivate.h"
#include "MessengerPrivate.h"
#include "ReplyChannel.h"

using BPrivate::LooperRef;
using BPrivate::LooperRegistry;

BMessenger::BMessenger() : fTeam(-1), fLooperToken(B_NULL_TOKEN), fHandlerToken(B_NULL_TOKEN) {}

BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
    : BMessenger()
{
	status_t status = SetTo(handler, looper);
	if (result != nullptr)
		*result = status;
}

BMessenger::BMessenger(const char* signature, team_id team, status_t* result) : BMessenger()
{
	status_t status = SetTo(signature, team);
	if (result != nullptr)
		*result = status;
}

status_t BMessenger::SetTo(const BHandler* handler, const BLooper* looper)
{
	*this = BMessenger();
	if (handler == nullptr && looper == nullptr)
		return B_BAD_VALUE;
	if (handler != nullptr) {
		BLooper* owner = handler->Looper();
		if (owner == nullptr || (looper != nullptr && looper != owner))
			return B_MISMATCHED_VALUES;
		Private(this).SetTo(getpid(), owner->Token(), handler->Token());
		return B_OK;
	}
	Private(this).SetTo(getpid(), looper->Token(), B_PREFERRED_TOKEN);
	return B_OK;
}

status_t BMessenger::SetTo(const char* signature, team_id team)
{
	*this = BMessenger();
	if (signature == nullptr)
		return B_BAD_VALUE;
	if (strncasecmp(signature, "application/", 12) != 0)
		return B_BAD_TYPE;

	// This application is reached directly, without a trip through its socket.
	if (be_app != nullptr && (team < 0 || team == getpid()) &&
	    strcasecmp(be_app->Signature(), signature) == 0) {
		Private(this).SetTo(getpid(), be_app->Token(), B_PREFERRED_TOKEN);
		return B_OK;
	}

	std::vector<BPrivate::AppRegistration> apps;
	BPrivate::AppRegistry::List(&apps);
	bool teamRuns = false;
	for (const BPrivate::AppRegistration& app : apps) {
		if (team >= 0 && app.team != team)
			continue;
		teamRuns = true;
		if (strcasecmp(app.signature.c_str(), signature) == 0) {
			Private(this).SetTo(app.team, B_APP_LOOPER_TOKEN, B_PREFERRED_TOKEN);
			return B_OK;
		}
	}
	return team >= 0 && teamRuns ? B_BAD_TEAM_ID : B_ERROR;
}

bool BMessenger::IsTargetLocal() const
{
	return fTeam == getpid();
}

bool BMessenger::IsValid() const
{
	if (fTeam < 0)
		return false;
	if (IsTargetLocal())
		return LooperRegistry::Default().FindLooper(fLooperToken, nullptr);
	return BPrivate::AppRegistry::IsRunning(fTeam);
}

BHandler* BMessenger::Target(BLooper** looper) const
{
	LooperRef ref;
	if (!IsTargetLocal() || !LooperRegistry::Default().FindLooper(fLooperToken, &ref)) {
		if (looper != nullptr)
			*looper = nullptr;
		return nullptr;
	}
	if (looper != nullptr)
		*looper = ref.looper;
	if (fHandlerToken == B_PREFERRED_TOKEN)
		return nullptr;
	return LooperRegistry::Default().HandlerFor(fHandlerToken);
}

bool BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	LooperRef ref;
	if (!IsTargetLocal() || !LooperRegistry::Default().FindLooper(fLooperToken, &ref))
		return B_BAD_VALUE;
	status_t status = ref.lock->locker.LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	// The looper may have been deleted while this thread waited for its lock.
	if (ref.lock->gone) {
		ref.lock->locker.Unlock();
		return B_BAD_VALUE;
	}
	return B_OK;
}

// --- sending ---------------------------------------------------------------------------------

namespace {

// Replies to a message sent without a reply target go to the sending application.
BMessenger reply_target(BHandler* replyTo)
{
	if (replyTo != nullptr)
		return BMessenger(replyTo);
	return be_app != nullptr ? be_app_messenger : BMessenger();
}

} // namespace

status_t BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}

status_t BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	return SendMessage(message, reply_target(replyTo), timeout);
}

status_t BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t timeout) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return Private(const_cast<BMessenger*>(this)).Deliver(*message, replyTo, timeout);
}

status_t BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}

status_t BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
                                 bigtime_t replyTimeout) const
{
	if (message == nullptr || reply == nullptr)
		return B_BAD_VALUE;
	if (fTeam < 0)
		return B_BAD_PORT_ID;
	if (!IsTargetLocal()) {
		return BPrivate::AppTransport::Send(fTeam, fLooperToken, fHandlerToken, *message,
		                                    BMessenger(), deliveryTimeout, reply, replyTimeout);
	}

	LooperRef ref;
	if (!LooperRegistry::Default().FindLooper(fLooperToken, &ref))
		return B_BAD_PORT_ID;
	if (ref.thread >= 0 && ref.thread == find_thread(nullptr))
		return B_MESSAGE_TO_SELF;

	auto slot = std::make_shared<BPrivate::LocalReplySlot>();
	bigtime_t start = system_time();
	status_t status = Private(const_cast<BMessenger*>(this))
	                      .Deliver(*message, BMessenger(), deliveryTimeout, slot);
	if (status != B_OK)
		return status;
	// A negative timeout has expired at the start; clamping it keeps the deadline arithmetic
	// of the wait from overflowing.
	bigtime_t deadline = replyTimeout == B_INFINITE_TIMEOUT || replyTimeout > INT64_MAX - start
	                         ? B_INFINITE_TIMEOUT
	                         : start + max_c(replyTimeout, (bigtime_t)0);
	return slot->Wait(reply, deadline);
}

status_t BMessenger::Private::Deliver(const BMessage& message, const BMessenger& replyTo,
                                      bigtime_t timeout,
                                      const std::shared_ptr<BPrivate::ReplyChannel>& channel) const
{
	const BMessenger& target = *fMessenger;
	if (target.fTeam < 0)
		return B_BAD_PORT_ID;
	if (!target.IsTargetLocal()) {
		return BPrivate::AppTransport::Send(target.fTeam, target.fLooperToken, target.fHandlerToken,
		                                    message, replyTo, timeout, nullptr, 0);
	}

	LooperRef ref;
	if (!LooperRegistry::Default().FindLooper(target.fLooperToken, &ref))
		return B_BAD_PORT_ID;

	BMessage* copy = new BMessage(message);
	BMessage::Private delivered(copy);
	delivered.ClearDelivery();
	delivered.SetTargetToken(target.fHandlerToken);
	delivered.SetReplyTo(replyTo);
	delivered.AddFlags(BMessage::Private::kDelivered);
	if (channel) {
		delivered.SetReplyChannel(channel);
		delivered.AddFlags(BMessage::Private::kReplyRequired);
	}
	status_t status = ref.port->Push(copy, timeout);
	if (status != B_OK) {
		// Never queued, so it owes nobody an answer: the sender hears of the failure directly.
		delivered.SetFlags(delivered.Flags() & ~BMessage::Private::kReplyRequired);
		delete copy;
	}
	return status;
}

bool BMessenger::operator==(const BMessenger& other) const
{
	return fTeam == other.fTeam && fLooperToken == other.fLooperToken &&
	       fHandlerToken == other.fHandlerToken;
}

bool BMessenger::operator<(const BMessenger& other) const
{
	if (fTeam != other.fTeam)
		return fTeam < other.fTeam;
	if (fLooperToken != other.fLooperToken)
		return fLooperToken < other.fLooperToken;
	return fHandlerToken < other.fHandlerToken;
}
