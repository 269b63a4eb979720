// A message runner sends copies of a message to a target at a fixed interval: `count` times,
// or until it is deleted when count is -1. The first copy goes out one interval after the
// runner is created (or after SetInterval). Deleting the runner stops it; once the destructor
// has returned, no further copy is sent.
//
// All runners share one timer thread. A copy that finds the target's queue full is not waited
// for: it is dropped and counts as sent, so a stalled target cannot stall other runners.
#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <Messenger.h>

class BMessage;

class BMessageRunner {
public:
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
	               int32 count = -1);
	BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
	               int32 count = -1);
	// Replies to the copies go to replyTo.
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
	               BMessenger replyTo);
	BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval, int32 count,
	               BMessenger replyTo);
	virtual ~BMessageRunner();

	// B_BAD_VALUE for a missing message, an interval of 0 or less, or a count of 0 or below -1.
	status_t InitCheck() const { return fInitStatus; }

	// Both restart the interval now. B_BAD_VALUE once the runner has sent its last copy.
	status_t SetInterval(bigtime_t interval);
	// The number of copies still to send (-1: without end; 0 stops the runner).
	status_t SetCount(int32 count);
	status_t GetInfo(bigtime_t* interval, int32* count) const;

	// A runner without an object to delete: it ends after count copies (count must not be -1).
	static status_t StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
	                             int32 count);
	static status_t StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
	                             int32 count, BMessenger replyTo);

	BMessageRunner(const BMessageRunner&) = delete;
	BMessageRunner& operator=(const BMessageRunner&) = delete;

private:
	void _Init(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
	           BMessenger replyTo);

	int32 fToken;
	status_t fInitStatus;
};

#endif
