#include <Looper.h>

#include <cassert>
#include <unistd.h>

#include <Message.h>
#include <MessageFilter.h>
#include <MessageQueue.h>

#include "LooperPort.h"
#include "LooperRegistry.h"
#include "MessagePrivate.h"
#include "MessengerPrivate.h"

using BPrivate::LooperRegistry;

BLooper::BLooper(const char* name, int32 priority, int32 portCapacity) : BHandler(name)
{
	_InitData(name, priority, portCapacity);
}

BLooper::BLooper(BMessage* archive) : BHandler(archive)
{
	int32 priority = B_NORMAL_PRIORITY;
	int32 capacity = B_LOOPER_PORT_DEFAULT_CAPACITY;
	if (archive != nullptr) {
		archive->FindInt32("_prio", &priority);
		archive->FindInt32("_port_cap", &capacity);
	}
	_InitData(Name(), priority, capacity);
}

void BLooper::_InitData(const char*, int32 priority, int32 portCapacity)
{
	fPort = std::make_shared<BPrivate::LooperPort>(
	    portCapacity > 0 ? portCapacity : B_LOOPER_PORT_DEFAULT_CAPACITY);
	fLock = std::make_shared<BPrivate::LooperLock>();
	fQueue = new BMessageQueue;
	fPreferred = nullptr;
	fLastMessage = nullptr;
	fThread = -1;
	fInitPriority = priority;
	fRunCalled = false;
	fTerminating = false;

	// The constructing thread holds the lock until Run() (or Quit()) releases it.
	fLock->locker.Lock();
	AddHandler(this);
	LooperRegistry::Default().AddLooper(Token(), this, fPort, fLock);
}

BLooper::~BLooper()
{
	if (!fLock->locker.IsLocked())
		fLock->locker.Lock();
	// Unregistered first: from now on messengers are invalid and nothing new can be queued.
	LooperRegistry::Default().RemoveLooper(Token());
	fPort->Close();
	delete fQueue;
	fQueue = nullptr;
	delete fLastMessage;
	fLastMessage = nullptr;

	for (int32 i = fHandlers.CountItems() - 1; i >= 0; i--) {
		BHandler* handler = (BHandler*)fHandlers.ItemAtFast(i);
		handler->_SetLooper(nullptr);
		if (handler->NextHandler() == this)
			handler->SetNextHandler(nullptr);
	}
	fHandlers.MakeEmpty();
	SetCommonFilterList(nullptr);

	fLock->gone = true;
	UnlockFully();
}

BArchivable* BLooper::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BLooper"))
		return nullptr;
	return new BLooper(archive);
}

status_t BLooper::Archive(BMessage* into, bool deep) const
{
	status_t status = BHandler::Archive(into, deep);
	if (status == B_OK)
		status = into->AddInt32("_prio", fInitPriority);
	if (status == B_OK)
		status = into->AddInt32("_port_cap", fPort->Capacity());
	return status;
}

// --- posting ---------------------------------------------------------------------------------

status_t BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return _Post(&message, this, nullptr);
}

status_t BLooper::PostMessage(BMessage* message)
{
	return _Post(message, this, nullptr);
}

status_t BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return _Post(&message, handler, replyTo);
}

status_t BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	return _Post(message, handler, replyTo);
}

status_t BLooper::_Post(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	if (handler != nullptr && handler->Looper() != this)
		return B_MISMATCHED_VALUES;
	BMessenger target;
	BMessenger::Private(target).SetTo(getpid(), Token(),
	                                  handler != nullptr ? handler->Token() : B_PREFERRED_TOKEN);
	BMessenger replyMessenger;
	if (replyTo != nullptr)
		replyMessenger = BMessenger(replyTo);
	// Posting never waits for room, so that a looper posting to itself cannot block itself.
	return BMessenger::Private(target).Deliver(*message, replyMessenger, 0);
}

bool BLooper::IsMessageWaiting() const
{
	return !fQueue->IsEmpty() || fPort->Count() > 0;
}

// --- handlers --------------------------------------------------------------------------------

void BLooper::AddHandler(BHandler* handler)
{
	if (handler == nullptr || handler->Looper() != nullptr)
		return;
	handler->_SetLooper(this);
	if (handler != this && handler->NextHandler() == nullptr)
		handler->SetNextHandler(this);
	fHandlers.AddItem(handler);
}

bool BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == nullptr || handler == this || handler->Looper() != this)
		return false;
	fHandlers.RemoveItem(handler);
	handler->_SetLooper(nullptr);
	if (handler->NextHandler() == this)
		handler->SetNextHandler(nullptr);
	if (fPreferred == handler)
		fPreferred = nullptr;
	return true;
}

BHandler* BLooper::HandlerAt(int32 index) const
{
	return (BHandler*)fHandlers.ItemAt(index);
}

int32 BLooper::IndexOf(BHandler* handler) const
{
	return fHandlers.IndexOf(handler);
}

void BLooper::SetPreferredHandler(BHandler* handler)
{
	fPreferred = handler != nullptr && handler->Looper() == this ? handler : nullptr;
}

// --- common filters --------------------------------------------------------------------------

void BLooper::AddCommonFilter(BMessageFilter* filter)
{
	if (filter == nullptr)
		return;
	filter->SetLooper(this);
	fCommonFilters.AddItem(filter);
}

bool BLooper::RemoveCommonFilter(BMessageFilter* filter)
{
	if (!fCommonFilters.RemoveItem(filter))
		return false;
	filter->SetLooper(nullptr);
	return true;
}

void BLooper::SetCommonFilterList(BList* filters)
{
	for (int32 i = 0; i < fCommonFilters.CountItems(); i++)
		delete (BMessageFilter*)fCommonFilters.ItemAtFast(i);
	fCommonFilters.MakeEmpty();
	if (filters == nullptr)
		return;
	for (int32 i = 0; i < filters->CountItems(); i++)
		AddCommonFilter((BMessageFilter*)filters->ItemAt(i));
}

BList* BLooper::CommonFilterList() const
{
	return fCommonFilters.IsEmpty() ? nullptr : const_cast<BList*>(&fCommonFilters);
}

// --- locking ---------------------------------------------------------------------------------

bool BLooper::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BLooper::LockWithTimeout(bigtime_t timeout)
{
	std::shared_ptr<BPrivate::LooperLock> lock = fLock;
	if (lock->gone)
		return B_BAD_VALUE;
	status_t status = lock->locker.LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	if (lock->gone) {
		lock->locker.Unlock();
		return B_BAD_VALUE;
	}
	return B_OK;
}

void BLooper::Unlock()
{
	fLock->locker.Unlock();
}

bool BLooper::IsLocked() const
{
	return fLock->locker.IsLocked();
}

thread_id BLooper::LockingThread() const
{
	return fLock->locker.LockingThread();
}

int32 BLooper::CountLocks() const
{
	return fLock->locker.CountLocks();
}

void BLooper::UnlockFully()
{
	// Once the last level is released another thread may delete the looper: hold the lock
	// object itself, not the looper, while releasing.
	std::shared_ptr<BPrivate::LooperLock> lock = fLock;
	while (lock->locker.IsLocked())
		lock->locker.Unlock();
}

team_id BLooper::Team() const
{
	return getpid();
}

BLooper* BLooper::LooperForThread(thread_id thread)
{
	return LooperRegistry::Default().LooperForThread(thread);
}

// --- running and quitting --------------------------------------------------------------------

thread_id BLooper::Run()
{
	assert(!fRunCalled);
	if (fRunCalled)
		return fThread;
	thread_id thread =
	    spawn_thread(_ThreadEntry, Name() != nullptr ? Name() : "looper", fInitPriority, this);
	if (thread < 0)
		return thread;
	fThread = thread;
	fRunCalled = true;
	LooperRegistry::Default().SetLooperThread(Token(), thread);
	// Release the lock that the constructing thread took.
	if (IsLocked())
		Unlock();
	resume_thread(thread);
	return thread;
}

int32 BLooper::_ThreadEntry(void* data)
{
	BLooper* looper = (BLooper*)data;
	// The loop returns with the looper locked and told to quit, unless the looper vanished
	// under it, which only misuse (deleting a running looper) brings about.
	if (looper->_Loop())
		delete looper;
	return B_OK;
}

void BLooper::RunLoopInCallingThread()
{
	fThread = find_thread(nullptr);
	fRunCalled = true;
	LooperRegistry::Default().SetLooperThread(Token(), fThread);
	UnlockFully();
	_Loop();
}

bool BLooper::_Loop()
{
	for (;;) {
		// Wait only when there is nothing to do; a quit request interrupts the wait.
		fPort->DrainInto(fQueue, fQueue->IsEmpty() && !fTerminating);
		if (!Lock())
			return false;
		if (!fTerminating) {
			if (BMessage* message = fQueue->NextMessage())
				_DispatchOne(message);
		}
		if (fTerminating)
			return true;
		Unlock();
	}
}

void BLooper::WakeUp()
{
	fPort->Interrupt();
}

void BLooper::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	if (!fRunCalled) {
		delete this;
		return;
	}
	fTerminating = true;
	if (find_thread(nullptr) == fThread)
		return; // the loop deletes the looper once the current message is done
	thread_id thread = fThread;
	fPort->Interrupt();
	UnlockFully();
	status_t exitValue;
	wait_for_thread(thread, &exitValue);
}

bool BLooper::QuitRequested()
{
	return true;
}

// --- dispatching -----------------------------------------------------------------------------

BMessage* BLooper::DetachCurrentMessage()
{
	BMessage* message = fLastMessage;
	fLastMessage = nullptr;
	return message;
}

void BLooper::_DispatchOne(BMessage* message)
{
	BMessage* previous = fLastMessage;
	fLastMessage = message;

	int32 token = BMessage::Private(message).TargetToken();
	BHandler* target;
	if (token == B_PREFERRED_TOKEN || token == B_NULL_TOKEN) {
		target = fPreferred != nullptr ? fPreferred : this;
	} else {
		// A handler that was removed or deleted since the message was sent is not there any
		// more; the message is dropped.
		target = LooperRegistry::Default().HandlerFor(token);
		if (target != nullptr && target->Looper() != this)
			target = nullptr;
	}
	if (target != nullptr)
		target = DetermineTarget(message, target);
	if (target != nullptr)
		target = _TopLevelFilter(message, target);
	if (target != nullptr)
		DispatchMessage(message, target);

	// Unless a handler detached it; a nested dispatch may have replaced it already.
	if (fLastMessage == message)
		delete message;
	fLastMessage = previous;
	if (!fTerminating)
		MessageDispatched();
}

bool BLooper::DispatchThroughFilters(BMessage* message, BHandler* target)
{
	BMessage* previous = fLastMessage;
	fLastMessage = message;
	if (target != nullptr)
		target = _TopLevelFilter(message, target);
	if (target != nullptr)
		DispatchMessage(message, target);
	// A handler that detached the message owns it now.
	bool stillOurs = fLastMessage == message;
	fLastMessage = previous;
	return stillOurs;
}

BHandler* BLooper::DetermineTarget(BMessage*, BHandler* target)
{
	return target;
}

bool BLooper::InterceptMessage(BMessage*, BHandler*)
{
	return false;
}

void BLooper::MessageDispatched() {}

BHandler* BLooper::_TopLevelFilter(BMessage* message, BHandler* target)
{
	target = _ApplyFilters(&fCommonFilters, message, target);
	if (target != nullptr && target->Looper() == this && InterceptMessage(message, target))
		return nullptr;
	// Each handler's filters may hand the message to another handler, whose filters then run
	// too, until a handler's filters keep it.
	BHandler* previous = nullptr;
	while (target != nullptr && target != previous) {
		// A filter may only name handlers of this looper; anything else drops the message
		// instead of dispatching it into another thread's objects.
		if (target->Looper() != this)
			return nullptr;
		previous = target;
		target = _ApplyFilters(&target->fFilters, message, target);
	}
	if (target != nullptr && target->Looper() != this)
		return nullptr;
	return target;
}

BHandler* BLooper::_ApplyFilters(BList* filters, BMessage* message, BHandler* target)
{
	// Indexed, because a filter may remove itself or others while it runs.
	for (int32 i = 0; i < filters->CountItems() && target != nullptr; i++) {
		BMessageFilter* filter = (BMessageFilter*)filters->ItemAtFast(i);
		if (!filter->Selects(message))
			continue;
		if (filter->Apply(message, &target) == B_SKIP_MESSAGE)
			return nullptr;
	}
	return target;
}

void BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		_QuitRequested(message);
		return;
	}
	handler->MessageReceived(message);
}

void BLooper::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}

void BLooper::_QuitRequested(BMessage* message)
{
	bool quit = QuitRequested();
	if (message->IsSourceWaiting()) {
		BMessage reply(B_REPLY);
		reply.AddBool("result", quit);
		message->SendReply(&reply);
	}
	if (quit)
		Quit();
}
