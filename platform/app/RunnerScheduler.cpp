#include "RunnerScheduler.h"

#include <chrono>

#include <OS.h>

namespace BPrivate {

namespace {

// The time one interval after base, or B_INFINITE_TIMEOUT (never) when that lies beyond the
// clock's range: an interval of "forever" must not wrap into the past.
bigtime_t later(bigtime_t base, bigtime_t interval)
{
	return interval > B_INFINITE_TIMEOUT - base ? B_INFINITE_TIMEOUT : base + interval;
}

// Beyond some thirty years a wait means "until something changes"; the clock's arithmetic in
// nanoseconds would overflow on more.
constexpr bigtime_t kLongestWait = (bigtime_t)1 << 50;

} // namespace

RunnerScheduler& RunnerScheduler::Default()
{
	// Never destroyed: runners in static storage may still be deleted during exit, and the
	// thread sleeps on it until the process ends.
	static RunnerScheduler* sScheduler = new RunnerScheduler;
	return *sScheduler;
}

int32 RunnerScheduler::Add(const BMessenger& target, const BMessage& message,
                           const BMessenger& replyTo, bigtime_t interval, int32 count)
{
	auto runner = std::make_shared<Runner>();
	runner->target = target;
	runner->message = message;
	runner->replyTo = replyTo;
	runner->interval = interval;
	runner->remaining = count;
	runner->next = later(system_time(), interval);

	std::lock_guard<std::mutex> guard(fLock);
	if (!fThreadStarted) {
		std::thread([this] { _Run(); }).detach();
		fThreadStarted = true;
	}
	int32 token = fNextToken++;
	fRunners[token] = runner;
	fChanged.notify_all();
	return token;
}

void RunnerScheduler::Remove(int32 token)
{
	std::unique_lock<std::mutex> guard(fLock);
	fRunners.erase(token);
	fChanged.notify_all();
	// The copy in flight may be this runner's last one, already gone from the table.
	fChanged.wait(guard, [this, token] { return fSendingToken != token; });
}

status_t RunnerScheduler::SetInterval(int32 token, bigtime_t interval)
{
	if (interval <= 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	found->second->interval = interval;
	found->second->next = later(system_time(), interval);
	fChanged.notify_all();
	return B_OK;
}

status_t RunnerScheduler::SetCount(int32 token, int32 count)
{
	if (count < -1)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	if (count == 0) {
		fRunners.erase(found);
	} else {
		found->second->remaining = count;
		found->second->next = later(system_time(), found->second->interval);
	}
	fChanged.notify_all();
	return B_OK;
}

status_t RunnerScheduler::GetInfo(int32 token, bigtime_t* interval, int32* count) const
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	if (interval != nullptr)
		*interval = found->second->interval;
	if (count != nullptr)
		*count = found->second->remaining;
	return B_OK;
}

void RunnerScheduler::_Run()
{
	std::unique_lock<std::mutex> guard(fLock);
	for (;;) {
		bigtime_t now = system_time();
		std::shared_ptr<Runner> due;
		int32 dueToken = 0;
		bigtime_t earliest = B_INFINITE_TIMEOUT;
		for (const auto& [token, runner] : fRunners) {
			if (runner->next < earliest) {
				earliest = runner->next;
				due = runner;
				dueToken = token;
			}
		}
		if (!due) {
			fChanged.wait(guard);
			continue;
		}
		if (earliest > now) {
			fChanged.wait_for(guard,
			                  std::chrono::microseconds(min_c(earliest - now, kLongestWait)));
			continue;
		}

		// Schedule the next copy from the planned time, not from now, so that the interval
		// does not drift; a runner that fell far behind skips the copies it missed.
		due->next = later(due->next, due->interval);
		if (due->next < now)
			due->next = later(now, due->interval);
		if (due->remaining > 0 && --due->remaining == 0)
			fRunners.erase(dueToken);
		fSendingToken = dueToken;
		guard.unlock();
		bigtime_t timeout = due->target.IsTargetLocal() ? 0 : 100000;
		due->target.SendMessage(&due->message, due->replyTo, timeout);
		guard.lock();
		fSendingToken = 0;
		fChanged.notify_all();
	}
}

} // namespace BPrivate
