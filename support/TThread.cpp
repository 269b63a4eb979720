#include "TThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

const char* const kDefaultName = "TThread";

} // namespace

struct TThread::Control {
	std::mutex lock;
	// Signalled when the thread has ended.
	std::condition_variable ended;
	// The object, or null once it has been destroyed.
	TThread* object = nullptr;
	// One for the object, and one for the thread from the moment its body begins; the last
	// to let go frees the block.
	int32 references = 1;
	bool bodyBegan = false;
	// Set when the object begins to go; from then on no body may begin.
	bool stopping = false;
	bool autoDelete = false;
	bool exited = false;

	void Release()
	{
		bool last = false;
		{
			std::lock_guard<std::mutex> guard(lock);
			last = --references == 0;
		}
		if (last)
			delete this;
	}
};

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
	// Does nothing when delete has already stopped the thread.
	_StopThread(false);
	{
		std::lock_guard<std::mutex> guard(mControl->lock);
		mControl->object = nullptr;
	}
	mControl->Release();
}

void TThread::operator delete(TThread* object, std::destroying_delete_t)
{
	if (object == nullptr || !object->_StopThread(true))
		return;
	// The storage begins where the most derived object does, which need not be where its
	// TThread part is.
	void* storage = dynamic_cast<void*>(object);
	object->~TThread();
	::operator delete(storage);
}

void TThread::InitTThread(const char* name, int32 priority)
{
	mTerminateRequested = false;
	mControl = new Control;
	mControl->object = this;
	mThreadID =
	    spawn_thread(SpawnThread, name != nullptr ? name : kDefaultName, priority, mControl);
}

bool TThread::_StopThread(bool mayHandOver)
{
	// The thread itself gets here through a body that deletes its own object, or through
	// auto-delete as it ends. It cannot wait for itself, and its end is under way.
	if (mThreadID < 0 || find_thread(nullptr) == mThreadID)
		return true;

	bool bodyBegan = false;
	{
		std::lock_guard<std::mutex> guard(mControl->lock);
		bool done = mControl->stopping || mControl->exited;
		mControl->stopping = true;
		if (done)
			return true;
		bodyBegan = mControl->bodyBegan;
	}

	// Only a whole object can take the request through a subclass's Terminate; inside the
	// destructor the subclass is gone, and the flag is all that is left of it.
	if (mayHandOver)
		Terminate();
	else
		mTerminateRequested = true;
	kill_thread(mThreadID);
	if (!bodyBegan) {
		// Killed before its body began, the thread leaves at once, and a body that was about
		// to begin sees the object going and does not.
		wait_for_thread(mThreadID, nullptr);
		return true;
	}

	std::unique_lock<std::mutex> lock(mControl->lock);
	auto hasEnded = [this] { return mControl->exited; };
	if (mayHandOver &&
	    !mControl->ended.wait_for(lock, std::chrono::microseconds(kStopGracePeriod), hasEnded)) {
		// The exit hook deletes the object whenever the body ends.
		mControl->autoDelete = true;
		return false;
	}
	mControl->ended.wait(lock, hasEnded);
	lock.unlock();
	// The exit hook has run; collecting the exit value lets the kernel forget the thread now.
	wait_for_thread(mThreadID, nullptr);
	return true;
}

status_t TThread::Terminate()
{
	mTerminateRequested = true;
	return B_OK;
}

bool TThread::IsTerminated() const
{
	std::lock_guard<std::mutex> guard(mControl->lock);
	return mControl->exited;
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
	std::lock_guard<std::mutex> guard(mControl->lock);
	mControl->autoDelete = autoDelete;
	return B_OK;
}

int32 TThread::SpawnThread(void* data)
{
	auto* control = static_cast<Control*>(data);
	TThread* object = nullptr;
	{
		std::lock_guard<std::mutex> guard(control->lock);
		if (control->stopping)
			return B_INTERRUPTED;
		control->bodyBegan = true;
		control->references++;
		object = control->object;
	}
	// The hook gets the shared block rather than the object, so that it never touches an
	// object that the body deleted.
	on_exit_thread(ExitThread, control);
	return object->Execute();
}

void TThread::ExitThread(void* data)
{
	auto* control = static_cast<Control*>(data);
	TThread* orphan = nullptr;
	{
		std::lock_guard<std::mutex> guard(control->lock);
		control->exited = true;
		if (control->autoDelete)
			orphan = control->object;
		control->ended.notify_all();
	}
	// Deleting from the thread itself does not wait: this is the thread's end.
	if (orphan != nullptr)
		delete orphan;
	control->Release();
}
