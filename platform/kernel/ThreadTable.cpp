#include "ThreadTable.h"

#include <chrono>
#include <cstring>

#include <pthread.h>

namespace BPrivate {

namespace {

// Exited threads that nobody has waited for yet are kept this long (by count) so that a
// late wait_for_thread still gets the exit value; older ones are forgotten.
constexpr size_t kRetiredKept = 512;

thread_local ThreadRecord* tCurrent = nullptr;

// Threads that the platform did not spawn get a record the first time they ask for one;
// this thread-local object ends that record when the thread ends.
struct AdoptedThread {
	std::shared_ptr<ThreadRecord> record;
	~AdoptedThread()
	{
		if (record)
			finish_thread(record);
	}
};

thread_local AdoptedThread tAdopted;

} // namespace

std::string kernel_name(const char* name)
{
	if (name == nullptr)
		return std::string();
	size_t length = strnlen(name, B_OS_NAME_LENGTH);
	if (length > B_OS_NAME_LENGTH - 1) {
		length = B_OS_NAME_LENGTH - 1;
		// Back off over continuation bytes so that the cut falls between two characters.
		while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
			length--;
	}
	return std::string(name, length);
}

std::mutex& kernel_lock()
{
	// Never destroyed: detached threads may still take it while the process exits.
	static std::mutex* sLock = new std::mutex;
	return *sLock;
}

ThreadTable& ThreadTable::Default()
{
	static ThreadTable* sTable = new ThreadTable;
	return *sTable;
}

std::shared_ptr<ThreadRecord> ThreadTable::Find(thread_id id) const
{
	auto found = fThreads.find(id);
	return found != fThreads.end() ? found->second : nullptr;
}

std::shared_ptr<ThreadRecord> ThreadTable::FindByName(const char* name) const
{
	for (const auto& [id, record] : fThreads) {
		if (!record->exited && record->name == name)
			return record;
	}
	return nullptr;
}

std::shared_ptr<ThreadRecord> ThreadTable::Add()
{
	// Ids count up and wrap; an id still in use is skipped so that no two live threads ever
	// share one.
	while (fThreads.count(fNextId) != 0 || fNextId <= 0) {
		if (fNextId <= 0)
			fNextId = 1;
		else
			fNextId++;
	}
	auto record = std::make_shared<ThreadRecord>();
	record->id = fNextId++;
	if (fNextId <= 0)
		fNextId = 1;
	fThreads[record->id] = record;
	return record;
}

void ThreadTable::Retire(const std::shared_ptr<ThreadRecord>& record)
{
	fRetired.push_back(record->id);
	while (fRetired.size() > kRetiredKept) {
		thread_id oldest = fRetired.front();
		fRetired.pop_front();
		auto found = fThreads.find(oldest);
		if (found != fThreads.end() && found->second->exited)
			fThreads.erase(found);
	}
}

void ThreadTable::Forget(thread_id id)
{
	fThreads.erase(id);
	for (auto it = fRetired.begin(); it != fRetired.end(); ++it) {
		if (*it == id) {
			fRetired.erase(it);
			break;
		}
	}
}

ThreadRecord* current_thread_locked()
{
	if (tCurrent != nullptr)
		return tCurrent;

	std::shared_ptr<ThreadRecord> record = ThreadTable::Default().Add();
	record->handle = pthread_self();
	record->started = true;
	char name[16] = {};
	if (pthread_getname_np(record->handle, name, sizeof(name)) == 0 && name[0] != '\0')
		record->name = name;
	else
		record->name = "thread";
	tAdopted.record = record;
	tCurrent = record.get();
	return tCurrent;
}

thread_id current_thread_id()
{
	// A record's id never changes, and tCurrent is this thread's own, so no lock is needed
	// once it is set.
	if (tCurrent != nullptr)
		return tCurrent->id;
	std::lock_guard<std::mutex> lock(kernel_lock());
	return current_thread_locked()->id;
}

void set_current_thread(ThreadRecord* record)
{
	tCurrent = record;
}

void kernel_check_point(std::unique_lock<std::mutex>& lock)
{
	ThreadRecord* self = current_thread_locked();
	if (self->exiting)
		return;
	for (;;) {
		if (self->killed)
			leave_thread(lock, B_INTERRUPTED);
		if (!self->suspendRequested)
			return;
		self->parked = true;
		self->waitingOn = &self->changed;
		self->changed.wait(lock);
		self->waitingOn = nullptr;
		self->parked = false;
	}
}

bool kernel_wait_once(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                      bigtime_t deadline, thread_state state)
{
	ThreadRecord* self = current_thread_locked();
	if (deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
		return false;

	self->waitingOn = &cv;
	self->waitState = state;
	if (deadline == B_INFINITE_TIMEOUT) {
		cv.wait(lock);
	} else {
		// The steady clock is the monotonic clock that system_time() reads.
		auto until = std::chrono::steady_clock::time_point(std::chrono::microseconds(deadline));
		cv.wait_until(lock, until);
	}
	self->waitingOn = nullptr;
	kernel_check_point(lock);
	return deadline == B_INFINITE_TIMEOUT || system_time() < deadline;
}

void finish_thread(const std::shared_ptr<ThreadRecord>& record)
{
	std::unique_lock<std::mutex> lock(kernel_lock());
	record->exiting = true;
	record->suspendRequested = false;
	auto hooks = std::move(record->exitHooks);
	record->exitHooks.clear();
	lock.unlock();

	// The latest registration runs first, as with atexit, so that a hook registered on top
	// of another one can still rely on what the earlier one tears down.
	for (auto hook = hooks.rbegin(); hook != hooks.rend(); ++hook)
		hook->first(hook->second);

	lock.lock();
	record->exited = true;
	record->waitingOn = nullptr;
	record->changed.notify_all();
	ThreadTable::Default().Retire(record);
	if (tCurrent == record.get())
		tCurrent = nullptr;
}

void leave_thread(std::unique_lock<std::mutex>& lock, status_t exitValue)
{
	ThreadRecord* self = current_thread_locked();
	self->exitValue = exitValue;
	self->exiting = true;
	lock.unlock();
	// pthread_exit unwinds the stack, so destructors of the thread's objects run and the
	// trampoline's guard (or the adopted thread's thread-local record) runs the exit hooks.
	pthread_exit(nullptr);
}

} // namespace BPrivate
