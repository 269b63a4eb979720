// A looper is a handler with a thread and a message queue. Messages posted to it from any
// thread wait in its port; its thread takes them one by one, runs the common filters and the
// target handler's filters, and dispatches each to its handler with the looper locked.
//
// As on the platform, a looper is locked by the thread that constructs it; Run() starts its
// thread and releases that lock. Quit() ends it: called from the looper's own thread, the
// looper finishes the message being dispatched and then deletes itself and its thread ends
// (code after Quit() in that handler still runs, on a looper that is about to go); called from
// another thread, it waits until the looper's thread has deleted the looper. A looper that
// never ran is deleted by Quit() at once.
#ifndef _LOOPER_H
#define _LOOPER_H

#include <atomic>
#include <memory>

#include <Handler.h>
#include <List.h>
#include <OS.h>

class BMessage;
class BMessageQueue;

namespace BPrivate {
class LooperPort;
struct LooperLock;
} // namespace BPrivate

#define B_LOOPER_PORT_DEFAULT_CAPACITY 200

class BLooper : public BHandler {
public:
	explicit BLooper(const char* name = nullptr, int32 priority = B_NORMAL_PRIORITY,
	                 int32 portCapacity = B_LOOPER_PORT_DEFAULT_CAPACITY);
	explicit BLooper(BMessage* archive);
	~BLooper() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* into, bool deep = true) const override;

	// Posting copies the message; the caller keeps its own. The forms without a handler
	// argument aim at the looper itself (so a quit request posted to a window reaches the
	// window, whatever its preferred handler); a null handler given explicitly means the
	// preferred handler (the looper itself unless another was set). A handler of another
	// looper is B_MISMATCHED_VALUES; a full queue B_WOULD_BLOCK (posting never waits).
	status_t PostMessage(uint32 command);
	status_t PostMessage(BMessage* message);
	status_t PostMessage(uint32 command, BHandler* handler, BHandler* replyTo = nullptr);
	status_t PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo = nullptr);

	// Called with the looper locked, after the filters. B_QUIT_REQUESTED to the looper itself
	// asks QuitRequested() and quits when it agrees (a waiting sender learns the answer in the
	// bool "result"); everything else goes to the handler's MessageReceived.
	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	void MessageReceived(BMessage* message) override;

	// The message being dispatched, still owned by the looper, or null.
	BMessage* CurrentMessage() const { return fLastMessage; }
	// Takes the current message from the looper; the caller deletes it.
	BMessage* DetachCurrentMessage();
	BMessageQueue* MessageQueue() const { return fQueue; }
	bool IsMessageWaiting() const;

	// Handlers; the looper is always its own first handler. Adding a handler makes the looper
	// its next handler. The looper must be locked.
	void AddHandler(BHandler* handler);
	bool RemoveHandler(BHandler* handler);
	int32 CountHandlers() const { return fHandlers.CountItems(); }
	BHandler* HandlerAt(int32 index) const;
	int32 IndexOf(BHandler* handler) const;
	BHandler* PreferredHandler() const { return fPreferred; }
	void SetPreferredHandler(BHandler* handler);

	virtual thread_id Run();
	virtual void Quit();
	virtual bool QuitRequested();

	// A recursive lock; Lock fails (false, B_BAD_VALUE) once the looper is being deleted, so
	// that code racing with its deletion never touches a dead looper.
	bool Lock();
	void Unlock();
	bool IsLocked() const;
	status_t LockWithTimeout(bigtime_t timeout);
	thread_id LockingThread() const;
	int32 CountLocks() const;

	thread_id Thread() const { return fThread; }
	team_id Team() const;
	static BLooper* LooperForThread(thread_id thread);

	// Common filters see every message before the target handler's filters. The looper owns
	// them.
	virtual void AddCommonFilter(BMessageFilter* filter);
	virtual bool RemoveCommonFilter(BMessageFilter* filter);
	virtual void SetCommonFilterList(BList* filters);
	BList* CommonFilterList() const;

protected:
	// Runs the message loop in the calling thread until the looper is told to quit; returns
	// with the looper still locked by the caller. BApplication::Run is built on it.
	void RunLoopInCallingThread();
	bool IsTerminating() const { return fTerminating; }
	void SetTerminating() { fTerminating = true; }
	// Wakes the looper's thread when it waits for messages.
	void WakeUp();
	// Releases every lock level the calling thread holds.
	void UnlockFully();

	// Hooks for loopers that route messages themselves (windows deliver input to views).
	// DetermineTarget runs before any filter and may choose another handler of the looper;
	// InterceptMessage runs after the common filters and before the target's own filters and
	// may take the message (true: it is not dispatched further); MessageDispatched runs after
	// each message, with the looper locked.
	virtual BHandler* DetermineTarget(BMessage* message, BHandler* target);
	virtual bool InterceptMessage(BMessage* message, BHandler* target);
	virtual void MessageDispatched();
	// Runs a message through the filters and dispatches it to the target, as the loop does
	// with the messages it takes from the queue, with the message as the current message.
	// The caller keeps the message unless a handler detached it (false).
	bool DispatchThroughFilters(BMessage* message, BHandler* target);

private:
	static int32 _ThreadEntry(void* looper);
	void _InitData(const char* name, int32 priority, int32 portCapacity);
	bool _Loop();
	void _DispatchOne(BMessage* message);
	BHandler* _TopLevelFilter(BMessage* message, BHandler* target);
	BHandler* _ApplyFilters(BList* filters, BMessage* message, BHandler* target);
	void _QuitRequested(BMessage* message);
	status_t _Post(BMessage* message, BHandler* handler, BHandler* replyTo);

	std::shared_ptr<BPrivate::LooperPort> fPort;
	std::shared_ptr<BPrivate::LooperLock> fLock;
	BMessageQueue* fQueue;
	BList fHandlers;
	BList fCommonFilters;
	BHandler* fPreferred;
	BMessage* fLastMessage;
	thread_id fThread;
	int32 fInitPriority;
	bool fRunCalled;
	std::atomic<bool> fTerminating;
};

#endif
