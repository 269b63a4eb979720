// TThread wraps one kernel thread in an object. A subclass supplies the body (Execute); the
// thread is spawned when the object is made, suspended as every spawned thread is, and runs
// only after Resume. The owner can suspend, rename, re-prioritise and wait for it, ask it to
// stop (Terminate, a request the body polls), and let the object delete itself when the
// thread ends.
//
// Lifetime rules:
// - Destroying the object before its thread has ended kills the thread and then waits until
//   it has gone, so that the thread never outlives the object it runs on. A kill reaches a
//   running thread only at its next blocking kernel call (see OS.h), so a subclass whose
//   body uses its own members must stop the thread in its own destructor (Terminate, wake
//   the body, Wait): by the time this destructor runs, the subclass's members are gone.
// - With auto-delete, the object deletes itself as the thread ends; nothing may touch it
//   once the thread can have ended.
#ifndef _T_THREAD_H
#define _T_THREAD_H

#include <atomic>

#include <OS.h>

class TThread {
public:
	TThread(const char* name, int32 priority);
	// Spawns a new, separate thread with the other's current name and priority; a thread
	// that has already gone lends the default name and B_NORMAL_PRIORITY instead.
	TThread(const TThread& other);
	TThread& operator=(const TThread&) = delete;
	virtual ~TThread();

	// Asks the body to stop; it does not stop the thread by force. Always B_OK.
	virtual status_t Terminate();

	// True once the thread has ended.
	bool IsTerminated() const { return mExited.load(); }
	bool IsSuspended() const;
	// True once Terminate was called; the body polls it.
	bool IsTerminateRequested() const { return mTerminateRequested.load(); }

	status_t Resume() const;
	status_t Suspend() const;
	status_t SetName(const char* name) const;
	// Answers what set_thread_priority answers: the previous priority, or an error.
	status_t SetPriority(int32 priority) const;
	// Waits for the thread to end; exitValue may be null.
	status_t Wait(status_t* exitValue = nullptr) const;
	thread_id ThreadID() const { return mThreadID; }
	status_t SetAutoDelete(bool autoDelete);

protected:
	// The thread body; its result is the thread's exit value.
	virtual int32 Execute() = 0;

	// Written by the owner's thread and read by the body, and the other way round for
	// mExited, without a lock: atomics make that well-defined.
	std::atomic<bool> mTerminateRequested{false};

private:
	void InitTThread(const char* name, int32 priority);
	static int32 SpawnThread(void* data);
	static void ExitThread(void* data);

	thread_id mThreadID = -1;
	std::atomic<bool> mAutoDelete{false};
	std::atomic<bool> mExited{false};
};

#endif
