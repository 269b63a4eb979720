// The thread calls of OS.h on POSIX threads. See OS.h for what a kill or a suspension can
// and cannot do to a running thread.

#include <OS.h>

#include <time.h>
#include <unistd.h>

#include "ThreadTable.h"

using namespace BPrivate;

namespace {

// Ends every spawned thread through finish_thread, whether the body returned or the thread
// left through exit_thread's unwinding.
struct ExitGuard {
	std::shared_ptr<ThreadRecord> record;
	~ExitGuard() { finish_thread(record); }
};

void apply_system_name(ThreadRecord& record)
{
	// The system keeps 15 bytes of a thread name; debuggers and ps show them.
	char shortName[16] = {};
	record.name.copy(shortName, sizeof(shortName) - 1);
	pthread_setname_np(record.handle, shortName);
}

void* thread_trampoline(void* argument)
{
	auto* boxed = static_cast<std::shared_ptr<ThreadRecord>*>(argument);
	std::shared_ptr<ThreadRecord> record = std::move(*boxed);
	delete boxed;

	set_current_thread(record.get());
	ExitGuard guard{record};
	{
		std::unique_lock<std::mutex> lock(kernel_lock());
		// A spawned thread waits here until resume_thread; a kill before that ends it
		// without its body ever running.
		record->waitingOn = &record->changed;
		while (!record->started && !record->killed)
			record->changed.wait(lock);
		record->waitingOn = nullptr;
		if (record->killed) {
			record->exitValue = B_INTERRUPTED;
			return nullptr;
		}
		kernel_check_point(lock);
	}

	status_t exitValue = record->function(record->data);

	std::lock_guard<std::mutex> lock(kernel_lock());
	record->exitValue = exitValue;
	return nullptr;
}

// The live (not yet exited) thread with that id, or null. Expects the kernel lock.
std::shared_ptr<ThreadRecord> live_thread(thread_id id)
{
	std::shared_ptr<ThreadRecord> record = ThreadTable::Default().Find(id);
	if (!record || record->exited)
		return nullptr;
	return record;
}

void wake(ThreadRecord& record)
{
	record.changed.notify_all();
	if (record.waitingOn != nullptr && record.waitingOn != &record.changed)
		record.waitingOn->notify_all();
}

int32 clamp_priority(int32 priority)
{
	if (priority < B_IDLE_PRIORITY)
		return B_IDLE_PRIORITY;
	if (priority > B_REAL_TIME_PRIORITY)
		return B_REAL_TIME_PRIORITY;
	return priority;
}

} // namespace

thread_id spawn_thread(thread_func function, const char* name, int32 priority, void* data)
{
	if (function == nullptr)
		return B_BAD_VALUE;

	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = ThreadTable::Default().Add();
	record->name = kernel_name(name);
	record->priority = clamp_priority(priority);
	record->function = function;
	record->data = data;
	record->spawned = true;

	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	auto* boxed = new std::shared_ptr<ThreadRecord>(record);
	int error = pthread_create(&record->handle, &attributes, thread_trampoline, boxed);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete boxed;
		ThreadTable::Default().Forget(record->id);
		return error == EAGAIN ? B_NO_MORE_THREADS : status_from_errno(error);
	}
	apply_system_name(*record);
	return record->id;
}

status_t resume_thread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record || record->killed)
		return B_BAD_THREAD_ID;
	if (record->exiting)
		return B_BAD_THREAD_STATE;
	if (!record->started) {
		record->started = true;
	} else if (record->suspendRequested) {
		record->suspendRequested = false;
	} else {
		return B_BAD_THREAD_STATE;
	}
	record->changed.notify_all();
	return B_OK;
}

status_t suspend_thread(thread_id thread)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record || record->killed)
		return B_BAD_THREAD_ID;
	if (record->exiting)
		return B_BAD_THREAD_STATE;
	if (!record->started)
		return B_OK;
	record->suspendRequested = true;
	// A thread that suspends itself parks at once; any other parks at its next kernel call.
	if (record.get() == current_thread_locked())
		kernel_check_point(lock);
	return B_OK;
}

status_t kill_thread(thread_id thread)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	if (record->exiting || record->killed)
		return B_OK;
	record->killed = true;
	wake(*record);
	if (record.get() == current_thread_locked())
		leave_thread(lock, B_INTERRUPTED);
	return B_OK;
}

status_t wait_for_thread(thread_id thread, status_t* exitValue)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = ThreadTable::Default().Find(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	if (record.get() == current_thread_locked())
		return B_BAD_VALUE;

	// Waiting for a suspended thread (a freshly spawned one too) lets it run, since it could
	// otherwise never end.
	if (!record->exited && !record->exiting && !record->killed &&
	    (!record->started || record->suspendRequested)) {
		record->started = true;
		record->suspendRequested = false;
		record->changed.notify_all();
	}
	kernel_wait(lock, record->changed, B_INFINITE_TIMEOUT, B_THREAD_WAITING,
	            [&] { return record->exited; });
	if (exitValue != nullptr)
		*exitValue = record->exitValue;
	ThreadTable::Default().Forget(thread);
	return B_OK;
}

status_t on_exit_thread(void (*callback)(void*), void* data)
{
	if (callback == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(kernel_lock());
	ThreadRecord* self = current_thread_locked();
	if (self->exiting)
		return B_NOT_ALLOWED;
	self->exitHooks.emplace_back(callback, data);
	return B_OK;
}

status_t rename_thread(thread_id thread, const char* newName)
{
	if (newName == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	record->name = kernel_name(newName);
	// The lock keeps the thread from finishing meanwhile, so its handle is still valid.
	apply_system_name(*record);
	return B_OK;
}

status_t set_thread_priority(thread_id thread, int32 newPriority)
{
	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	int32 previous = record->priority;
	record->priority = clamp_priority(newPriority);
	return previous;
}

void exit_thread(status_t status)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	ThreadRecord* self = current_thread_locked();
	// An exit hook that calls exit_thread cannot leave a thread that is already leaving; it
	// returns to the hook instead.
	if (self->exiting)
		return;
	leave_thread(lock, status);
}

thread_id find_thread(const char* name)
{
	if (name == nullptr)
		return current_thread_id();
	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = ThreadTable::Default().FindByName(name);
	return record ? record->id : B_NAME_NOT_FOUND;
}

status_t get_thread_info(thread_id thread, thread_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(kernel_lock());
	std::shared_ptr<ThreadRecord> record = live_thread(thread);
	if (!record)
		return B_BAD_THREAD_ID;

	*info = thread_info{};
	info->thread = record->id;
	info->team = getpid();
	record->name.copy(info->name, sizeof(info->name) - 1);
	info->priority = record->priority;
	if (!record->started || record->suspendRequested)
		info->state = B_THREAD_SUSPENDED;
	else if (record->waitingOn != nullptr)
		info->state = record->waitState;
	else
		info->state = B_THREAD_RUNNING;

	// The system counts the processor time of a thread as one figure; it is reported as
	// user time.
	clockid_t clock;
	struct timespec used;
	if (pthread_getcpuclockid(record->handle, &clock) == 0 && clock_gettime(clock, &used) == 0)
		info->user_time = (bigtime_t)used.tv_sec * 1000000 + used.tv_nsec / 1000;

	pthread_attr_t attributes;
	if (pthread_getattr_np(record->handle, &attributes) == 0) {
		void* stack = nullptr;
		size_t size = 0;
		if (pthread_attr_getstack(&attributes, &stack, &size) == 0) {
			info->stack_base = stack;
			info->stack_end = static_cast<char*>(stack) + size;
		}
		pthread_attr_destroy(&attributes);
	}
	return B_OK;
}
