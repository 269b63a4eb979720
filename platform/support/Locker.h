// A recursive lock: the thread that holds it may lock it again and must unlock it as often.
#ifndef _LOCKER_H
#define _LOCKER_H

#include <condition_variable>
#include <mutex>
#include <thread>

#include <SupportDefs.h>

class BLocker {
public:
	BLocker();
	explicit BLocker(const char* name);
	BLocker(const char* name, bool benaphoreStyle);
	BLocker(bool benaphoreStyle);
	~BLocker();

	status_t InitCheck() const { return B_OK; }

	bool Lock();
	// B_OK, B_TIMED_OUT, or B_WOULD_BLOCK for a zero timeout that could not lock at once.
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	// The id of the holding thread (as find_thread(NULL) gives it), or -1.
	int32 LockingThread() const;
	// True when the calling thread holds the lock.
	bool IsLocked() const;
	int32 CountLocks() const;
	const char* Name() const { return fName; }

private:
	mutable std::mutex fMutex;
	std::condition_variable fReleased;
	std::thread::id fOwner;
	int32 fOwnerId = -1;
	int32 fCount = 0;
	const char* fName;
};

#endif
