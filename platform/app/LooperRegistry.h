// The process-wide table of handlers and loopers: it turns the tokens that messengers carry
// into objects, tells whether a looper still exists, and keeps the list of windows that
// BApplication counts.
//
// A window class (a BLooper subclass in the interface kit) enters itself with AddWindow in its
// constructor and leaves with RemoveWindow in its destructor; the registry keeps the order in
// which windows were added.
//
// Private to the platform.
#ifndef _LOOPER_REGISTRY_H
#define _LOOPER_REGISTRY_H

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <Locker.h>
#include <OS.h>

class BHandler;
class BLooper;
class BWindow;

namespace BPrivate {

class LooperPort;

// A looper's lock outlives the looper, so that a thread waiting for it when the looper is
// deleted wakes up, sees `gone` and gives up instead of touching freed memory.
struct LooperLock {
	BLocker locker{"looper lock"};
	std::atomic<bool> gone{false};
};

struct LooperRef {
	BLooper* looper = nullptr;
	std::shared_ptr<LooperPort> port;
	std::shared_ptr<LooperLock> lock;
	thread_id thread = -1;
};

class LooperRegistry {
public:
	static LooperRegistry& Default();

	int32 AddHandler(BHandler* handler);
	void RemoveHandler(int32 token);
	// The handler with that token; only safe to use while its looper is locked.
	BHandler* HandlerFor(int32 token) const;

	void AddLooper(int32 token, BLooper* looper, std::shared_ptr<LooperPort> port,
	               std::shared_ptr<LooperLock> lock);
	void RemoveLooper(int32 token);
	void SetLooperThread(int32 token, thread_id thread);
	bool FindLooper(int32 token, LooperRef* ref) const;
	bool FindLooper(const BLooper* looper, LooperRef* ref) const;
	BLooper* LooperForThread(thread_id thread) const;

	void AddWindow(BLooper* looper, BWindow* window);
	void RemoveWindow(BLooper* looper);
	int32 CountWindows() const;
	BWindow* WindowAt(int32 index) const;
	// The looper of the index-th window, for code that must not depend on the window class.
	BLooper* WindowLooperAt(int32 index) const;

private:
	LooperRegistry() = default;

	struct Window {
		BLooper* looper;
		BWindow* window;
	};

	mutable std::mutex fLock;
	int32 fNextToken = 1;
	std::map<int32, BHandler*> fHandlers;
	std::map<int32, LooperRef> fLoopers;
	std::vector<Window> fWindows;
};

} // namespace BPrivate

#endif
