// system_time, snooze and the deadline arithmetic of the blocking kernel calls.

#include <OS.h>

#include <time.h>

#include "KernelTime.h"
#include "ThreadTable.h"

namespace BPrivate {

namespace {

// A hundred years in microseconds: farther than any timeout that means something. Added to
// the system time (which counts from boot) it cannot overflow, unlike a subtraction from a
// caller's absolute time, which may be anything.
constexpr bigtime_t kForever = 100LL * 365 * 24 * 3600 * 1000000;

} // namespace

bigtime_t kernel_deadline_after(bigtime_t microseconds)
{
	if (microseconds < 0)
		microseconds = 0;
	if (microseconds >= kForever)
		return B_INFINITE_TIMEOUT;
	return system_time() + microseconds;
}

bigtime_t kernel_deadline(uint32 flags, bigtime_t timeout)
{
	if ((flags & B_ABSOLUTE_TIMEOUT) != 0)
		return timeout >= system_time() + kForever ? B_INFINITE_TIMEOUT : timeout;
	if ((flags & B_RELATIVE_TIMEOUT) != 0)
		return kernel_deadline_after(timeout);
	return B_INFINITE_TIMEOUT;
}

bool kernel_is_poll(uint32 flags, bigtime_t timeout)
{
	return (flags & B_ABSOLUTE_TIMEOUT) == 0 && (flags & B_RELATIVE_TIMEOUT) != 0 && timeout <= 0;
}

} // namespace BPrivate

using namespace BPrivate;

bigtime_t system_time()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

status_t snooze_until(bigtime_t time, int timeBase)
{
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;

	// The sleep waits on the thread's own record, so a kill or a suspension reaches a
	// sleeping thread at once rather than when the sleep would have ended.
	std::unique_lock<std::mutex> lock(kernel_lock());
	ThreadRecord* self = current_thread_locked();
	const bigtime_t deadline = time >= system_time() + kForever ? B_INFINITE_TIMEOUT : time;
	kernel_wait(lock, self->changed, deadline, B_THREAD_ASLEEP, [] { return false; });
	return B_OK;
}

status_t snooze(bigtime_t microseconds)
{
	return snooze_until(kernel_deadline_after(microseconds), B_SYSTEM_TIMEBASE);
}
