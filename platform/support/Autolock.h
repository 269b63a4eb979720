// Holds a lock for a scope: a BLocker, or anything else that locks with bool Lock() and
// void Unlock() (loopers, windows, bitmaps).
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>

class BAutolock {
public:
	template <typename Lockable>
	explicit BAutolock(Lockable* lockable)
		: fObject(lockable), fUnlock([](void* object) { static_cast<Lockable*>(object)->Unlock(); })
	{
		fLocked = lockable != nullptr && lockable->Lock();
	}
	template <typename Lockable>
	explicit BAutolock(Lockable& lockable) : BAutolock(&lockable)
	{
	}
	~BAutolock() { Unlock(); }

	bool IsLocked() const { return fLocked; }
	void Unlock()
	{
		if (fLocked) {
			fLocked = false;
			fUnlock(fObject);
		}
	}

	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

private:
	void* fObject;
	void (*fUnlock)(void*);
	bool fLocked;
};

#endif
