// The bookkeeping behind the thread calls of OS.h: one record per thread that the platform
// knows, the one lock that guards every record and every in-process port queue, and the
// blocking wait that all kernel calls use so that kill_thread and suspend_thread can reach a
// thread that is blocked inside the platform.
//
// Private to the kernel kit; nothing outside platform/kernel includes it.
#ifndef _KERNEL_THREAD_TABLE_H
#define _KERNEL_THREAD_TABLE_H

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <pthread.h>

#include <OS.h>

namespace BPrivate {

struct ThreadRecord {
	thread_id id = -1;
	std::string name;
	int32 priority = B_NORMAL_PRIORITY;

	thread_func function = nullptr;
	void* data = nullptr;

	pthread_t handle{};
	// False for threads the platform adopted (the main thread, threads of other libraries):
	// those were never created suspended and are not joined through a trampoline.
	bool spawned = false;

	bool started = false;          // resume_thread let the body begin
	bool suspendRequested = false; // parks at the next kernel call until resumed
	bool parked = false;           // actually parked right now
	bool killed = false;           // exits at the next kernel call
	bool exiting = false;          // running its exit hooks; no more kills or suspensions
	bool exited = false;           // gone; only the exit value is left

	status_t exitValue = B_OK;
	std::vector<std::pair<void (*)(void*), void*>> exitHooks;

	// Signalled on every change of the flags above; the parked or unstarted thread and the
	// threads in wait_for_thread wait on it.
	std::condition_variable changed;
	// The condition variable this thread blocks on inside a kernel call, so that a kill can
	// wake it. Guarded by the kernel lock like everything else here.
	std::condition_variable* waitingOn = nullptr;
	thread_state waitState = B_THREAD_WAITING;
};

// A thread or port name as the kernel keeps it: at most B_OS_NAME_LENGTH - 1 bytes, cut
// before a UTF-8 sequence that would not fit whole; null becomes the empty name.
std::string kernel_name(const char* name);

// The lock that guards the thread table, every ThreadRecord and every in-process port.
std::mutex& kernel_lock();

class ThreadTable {
public:
	static ThreadTable& Default();

	// All of these expect the kernel lock to be held.
	std::shared_ptr<ThreadRecord> Find(thread_id id) const;
	std::shared_ptr<ThreadRecord> FindByName(const char* name) const;
	std::shared_ptr<ThreadRecord> Add();
	// Moves a finished thread to the short list of exited threads that can still be waited
	// for; the oldest of those are forgotten so that threads nobody waits for cost nothing.
	void Retire(const std::shared_ptr<ThreadRecord>& record);
	// Forgets an exited thread once a waiter has collected its exit value.
	void Forget(thread_id id);

private:
	ThreadTable() = default;

	std::map<thread_id, std::shared_ptr<ThreadRecord>> fThreads;
	std::deque<thread_id> fRetired;
	thread_id fNextId = 1;
};

// The calling thread's record, created on first use for threads the platform did not spawn.
// Expects the kernel lock to be held.
ThreadRecord* current_thread_locked();
// The calling thread's id; cheap once the thread has a record, since locks call it on every
// acquisition. Takes the kernel lock only the first time.
thread_id current_thread_id();
// Makes record the calling thread's own; the trampoline of spawned threads calls it first.
void set_current_thread(ThreadRecord* record);

// The point at which kills and suspensions take effect: a killed thread leaves here through
// exit_thread's unwinding, a suspended one parks here until it is resumed. Expects the lock.
void kernel_check_point(std::unique_lock<std::mutex>& lock);

// Blocks the calling thread on cv until pred() holds or the absolute system_time deadline
// passes (B_INFINITE_TIMEOUT: never). Returns B_OK when pred() holds, B_TIMED_OUT otherwise.
// A kill wakes the thread and ends it; a suspension parks it before pred is looked at again.
template <typename Pred>
status_t kernel_wait(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                     bigtime_t deadline, thread_state state, Pred pred);

// Runs the exit hooks and marks the thread exited; called once at the end of every thread.
void finish_thread(const std::shared_ptr<ThreadRecord>& record);

// Ends the calling thread with the given exit value by unwinding its stack.
[[noreturn]] void leave_thread(std::unique_lock<std::mutex>& lock, status_t exitValue);

// One wait on cv with the kernel's bookkeeping; false when the deadline passed.
bool kernel_wait_once(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                      bigtime_t deadline, thread_state state);

template <typename Pred>
status_t kernel_wait(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                     bigtime_t deadline, thread_state state, Pred pred)
{
	kernel_check_point(lock);
	while (!pred()) {
		if (!kernel_wait_once(lock, cv, deadline, state))
			return pred() ? B_OK : B_TIMED_OUT;
	}
	return B_OK;
}

} // namespace BPrivate

#endif
