// The timer thread behind BMessageRunner: a table of runners, each with its message, target,
// interval and remaining count, and one thread that sleeps until the next is due.
//
// Private to the application kit.
#ifndef _RUNNER_SCHEDULER_H
#define _RUNNER_SCHEDULER_H

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <Message.h>
#include <Messenger.h>

namespace BPrivate {

class RunnerScheduler {
public:
	static RunnerScheduler& Default();

	// Returns the runner's token (> 0), or a status.
	int32 Add(const BMessenger& target, const BMessage& message, const BMessenger& replyTo,
	          bigtime_t interval, int32 count);
	// Stops the runner; returns after any copy being sent right now has gone out.
	void Remove(int32 token);
	status_t SetInterval(int32 token, bigtime_t interval);
	status_t SetCount(int32 token, int32 count);
	status_t GetInfo(int32 token, bigtime_t* interval, int32* count) const;

private:
	struct Runner {
		BMessenger target;
		BMessage message;
		BMessenger replyTo;
		bigtime_t interval;
		int32 remaining; // -1: without end
		bigtime_t next;
	};

	RunnerScheduler() = default;
	void _Run();

	mutable std::mutex fLock;
	std::condition_variable fChanged;
	std::map<int32, std::shared_ptr<Runner>> fRunners;
	int32 fNextToken = 1;
	int32 fSendingToken = 0; // the runner whose copy is being sent, if any
	bool fThreadStarted = false;
};

} // namespace BPrivate

#endif
