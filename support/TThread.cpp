#include "TThread.h"

namespace {

const char* const kDefaultName = "TThread";

} // namespace

TThread::TThread(const char* name, int32 priority)
{
	InitTThread(name, priority);
}

TThread::TThread(const TThread& other)
{
	thread_info info;
	if (get_thread_info(other.mThreadID, &info) == B_OK)
		InitTThread(info.name, info.priority);
	else
		InitTThread(kDefaultName, B_NORMAL_PRIORITY);
}

TThread::~TThread()
{
	if (mExited.load() || mThreadID < 0)
		return;
	// The thread itself may end up here through Execute deleting its own object; it cannot
	// wait for itself, and its end is already on its way.
	if (find_thread(nullptr) == mThreadID)
		return;
	kill_thread(mThreadID);
	// The kill takes effect at the thread's next kernel call; until the thread has gone it
	// may still be running code that uses this object, so the memory must not go first.
	wait_for_thread(mThreadID, nullptr);
}

void TThread::InitTThread(const char* name, int32 priority)
{
	mTerminateRequested = false;
	mAutoDelete = false;
	mExited = false;
	mThreadID = spawn_thread(SpawnThread, name != nullptr ? name : kDefaultName, priority, this);
}

status_t TThread::Terminate()
{
	mTerminateRequested = true;
	return B_OK;
}

bool TThread::IsSuspended() const
{
	thread_info info;
	return get_thread_info(mThreadID, &info) == B_OK && info.state == B_THREAD_SUSPENDED;
}

status_t TThread::Resume() const
{
	return resume_thread(mThreadID);
}

status_t TThread::Suspend() const
{
	return suspend_thread(mThreadID);
}

status_t TThread::SetName(const char* name) const
{
	return rename_thread(mThreadID, name);
}

status_t TThread::SetPriority(int32 priority) const
{
	return set_thread_priority(mThreadID, priority);
}

status_t TThread::Wait(status_t* exitValue) const
{
	status_t discarded;
	return wait_for_thread(mThreadID, exitValue != nullptr ? exitValue : &discarded);
}

status_t TThread::SetAutoDelete(bool autoDelete)
{
	mAutoDelete = autoDelete;
	return B_OK;
}

int32 TThread::SpawnThread(void* data)
{
	on_exit_thread(ExitThread, data);
	return static_cast<TThread*>(data)->Execute();
}

void TThread::ExitThread(void* data)
{
	auto* thread = static_cast<TThread*>(data);
	// Auto-delete is read before the thread is marked ended: once mExited is set, an owner
	// without auto-delete may destroy the object at any moment, so it is the last touch.
	bool autoDelete = thread->mAutoDelete.load();
	thread->mExited = true;
	if (autoDelete)
		delete thread;
}
