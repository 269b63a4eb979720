// TThread wraps one kernel thread in an object. A subclass supplies the body (Execute); the
// thread is spawned when the object is made, suspended as every spawned thread is, and runs
// only after Resume. The owner can suspend, rename, re-prioritise and wait for it, ask it to
// stop (Terminate, a request the body polls), and let the object delete itself when the
// thread ends.
//
// Lifetime rules:
// - Deleting the object stops its thread before any destructor runs: the body is asked to
//   stop (through Terminate, so a subclass can wake a body that blocks on something of its
//   own), killed (which wakes it from a blocking kernel call and ends it there, see OS.h),
//   and waited for. A body that ends within kStopGracePeriod is gone before the destructors
//   run, so it may use the subclass's members to the end. A body that neither polls the
//   request nor makes a kernel call cannot be stopped by anything; after the grace period
//   `delete` returns and leaves the whole object to its thread, which destroys it when it
//   ends at last. The deleting thread is never held for longer than the grace period, and the
//   body never meets a destroyed object.
// - An object that is not deleted (one on the stack or inside another object) cannot outlive
//   its destructor, so there the destructor asks the body to stop, kills it and waits for it
//   without a limit; by then the subclass's members are gone. A subclass whose body uses its
//   own members, or that may hold a body that ignores the request, belongs on the heap.
// - The body may delete its own object; it must not touch its members afterwards, as with any
//   `delete this`. With auto-delete, the object deletes itself as the thread ends, and nothing
//   may touch it once the thread can have ended.
#ifndef _T_THREAD_H
#define _T_THREAD_H

#include <atomic>
#include <new>

#include <OS.h>

class TThread {
public:
	// How long `delete` waits for a body that was asked to stop before it hands the object
	// over to the thread. A body that polls its request at all does so far more often.
	static constexpr bigtime_t kStopGracePeriod = 1000000;

	TThread(const char* name, int32 priority);
	// Spawns a new, separate thread with the other's current name and priority; a thread
	// that has already gone lends the default name and B_NORMAL_PRIORITY instead.
	TThread(const TThread& other);
	TThread& operator=(const TThread&) = delete;
	virtual ~TThread();

	// Stops the thread while the object is still whole, then destroys and frees it (see the
	// lifetime rules above).
	static void operator delete(TThread* object, std::destroying_delete_t);

	// Asks the body to stop; it does not stop the thread by force. Always B_OK.
	virtual status_t Terminate();

	// True once the thread has ended.
	bool IsTerminated() const;
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

	// Written by the owner's thread and read by the body without a lock: an atomic makes that
	// well-defined.
	std::atomic<bool> mTerminateRequested{false};

private:
	// What the thread and the object share. It lives apart from the object, so that the
	// thread's exit hook can still run when the object has gone (a body that deleted it).
	struct Control;

	void InitTThread(const char* name, int32 priority);
	// Ends the thread before the object goes. False when the body ignored the request for the
	// grace period and the object now belongs to its thread (only when mayHandOver is set).
	bool _StopThread(bool mayHandOver);
	static int32 SpawnThread(void* data);
	static void ExitThread(void* data);

	thread_id mThreadID = -1;
	Control* mControl = nullptr;
};

#endif
