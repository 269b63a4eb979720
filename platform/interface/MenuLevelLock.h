// Holds the lock of the window of one open menu of a session for a scope, reached through
// its messenger so that a window that went meanwhile is noticed instead of touched. Window()
// and Menu() are null when the window is gone.
#ifndef _MENU_LEVEL_LOCK_H
#define _MENU_LEVEL_LOCK_H

#include <Messenger.h>

#include "MenuWindow.h"

namespace BPrivate {

class MenuLevelLock {
public:
	explicit MenuLevelLock(const BMessenger& messenger)
	{
		if (!messenger.LockTarget())
			return;
		BLooper* looper = nullptr;
		messenger.Target(&looper);
		fWindow = dynamic_cast<MenuWindow*>(looper);
		if (fWindow == nullptr && looper != nullptr)
			looper->Unlock();
	}
	~MenuLevelLock()
	{
		if (fWindow != nullptr)
			fWindow->Unlock();
	}
	MenuWindow* Window() const { return fWindow; }
	BMenu* Menu() const { return fWindow != nullptr ? fWindow->Menu() : nullptr; }

	MenuLevelLock(const MenuLevelLock&) = delete;
	MenuLevelLock& operator=(const MenuLevelLock&) = delete;

private:
	MenuWindow* fWindow = nullptr;
};

} // namespace BPrivate

#endif
