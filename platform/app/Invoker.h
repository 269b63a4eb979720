// An invoker sends a model message to a target when it is invoked; controls are invokers.
// It owns its message.
#ifndef _INVOKER_H
#define _INVOKER_H

#include <AppDefs.h>
#include <Messenger.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

class BInvoker {
public:
	BInvoker();
	BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper = nullptr);
	BInvoker(BMessage* message, BMessenger target);
	virtual ~BInvoker();

	// Takes ownership of message and deletes the previous one.
	virtual status_t SetMessage(BMessage* message);
	BMessage* Message() const { return fMessage; }
	uint32 Command() const;

	// A handler that is not in a looper yet gives an invalid target (B_BAD_VALUE), as does
	// a handler of another looper than the one given (B_MISMATCHED_VALUES).
	virtual status_t SetTarget(const BHandler* handler, const BLooper* looper = nullptr);
	virtual status_t SetTarget(BMessenger messenger);
	bool IsTargetLocal() const { return fMessenger.IsTargetLocal(); }
	BHandler* Target(BLooper** looper = nullptr) const;
	BMessenger Messenger() const { return fMessenger; }

	// Where replies to the invocation messages go.
	virtual status_t SetHandlerForReply(BHandler* handler);
	BHandler* HandlerForReply() const { return fReplyTo; }

	// Sends message, or a copy of the invoker's own when message is null; B_BAD_VALUE when
	// there is neither.
	virtual status_t Invoke(BMessage* message = nullptr);
	status_t InvokeNotify(BMessage* message, uint32 kind = B_CONTROL_INVOKED);

	status_t SetTimeout(bigtime_t timeout);
	bigtime_t Timeout() const { return fTimeout; }

	BInvoker(const BInvoker&) = delete;
	BInvoker& operator=(const BInvoker&) = delete;

protected:
	// The kind of notification being sent during InvokeNotify, else B_CONTROL_INVOKED.
	uint32 InvokeKind(bool* notify = nullptr);
	void BeginInvokeNotify(uint32 kind = B_CONTROL_INVOKED);
	void EndInvokeNotify();

private:
	BMessage* fMessage;
	BMessenger fMessenger;
	BHandler* fReplyTo;
	bigtime_t fTimeout;
	uint32 fNotifyKind;
	bool fNotifying;
};

#endif
