// The queue of messages that a looper has taken from its port and not yet dispatched. It owns
// the messages in it. Code that peeks at a looper's queue locks it first.
#ifndef _MESSAGE_QUEUE_H
#define _MESSAGE_QUEUE_H

#include <deque>

#include <Locker.h>

class BMessage;

class BMessageQueue {
public:
	BMessageQueue();
	virtual ~BMessageQueue();

	void AddMessage(BMessage* message);
	// Takes message out without deleting it; false when it is not in the queue.
	bool RemoveMessage(BMessage* message);
	// The oldest message, taken out of the queue (the caller owns it), or null.
	BMessage* NextMessage();

	// The index-th message (of the given code), still owned by the queue, or null.
	BMessage* FindMessage(int32 index) const;
	BMessage* FindMessage(uint32 what, int32 index = 0) const;

	int32 CountMessages() const;
	bool IsEmpty() const;

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	BMessageQueue(const BMessageQueue&) = delete;
	BMessageQueue& operator=(const BMessageQueue&) = delete;

private:
	mutable BLocker fLocker;
	std::deque<BMessage*> fMessages;
};

#endif
