#include <Locker.h>

#include <cassert>
#include <chrono>

#include <OS.h>

BLocker::BLocker() : fName("some BLocker") {}

BLocker::BLocker(const char* name) : fName(name != nullptr ? name : "some BLocker") {}

BLocker::BLocker(const char* name, bool) : BLocker(name) {}

BLocker::BLocker(bool) : BLocker() {}

BLocker::~BLocker() = default;

bool BLocker::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BLocker::LockWithTimeout(bigtime_t timeout)
{
	const std::thread::id self = std::this_thread::get_id();
	std::unique_lock<std::mutex> guard(fMutex);
	if (fCount > 0 && fOwner == self) {
		fCount++;
		return B_OK;
	}
	if (fCount > 0) {
		if (timeout <= 0)
			return B_WOULD_BLOCK;
		auto free = [this] { return fCount == 0; };
		// Beyond some thirty years a timeout means "forever"; the clock's arithmetic in
		// nanoseconds would overflow on it.
		constexpr bigtime_t kForever = (bigtime_t)1 << 50;
		if (timeout == B_INFINITE_TIMEOUT || timeout >= kForever) {
			fReleased.wait(guard, free);
		} else if (!fReleased.wait_for(guard, std::chrono::microseconds(timeout), free)) {
			return B_TIMED_OUT;
		}
	}
	fOwner = self;
	fOwnerId = find_thread(nullptr);
	fCount = 1;
	return B_OK;
}

void BLocker::Unlock()
{
	std::lock_guard<std::mutex> guard(fMutex);
	// Unlocking a lock one does not hold is a programming error; ignore it in release builds
	// rather than corrupting the count.
	assert(fCount > 0 && fOwner == std::this_thread::get_id());
	if (fCount == 0 || fOwner != std::this_thread::get_id())
		return;
	if (--fCount == 0) {
		fOwner = std::thread::id();
		fOwnerId = -1;
		fReleased.notify_one();
	}
}

int32 BLocker::LockingThread() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount > 0 ? fOwnerId : -1;
}

bool BLocker::IsLocked() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount > 0 && fOwner == std::this_thread::get_id();
}

int32 BLocker::CountLocks() const
{
	std::lock_guard<std::mutex> guard(fMutex);
	return fCount;
}
