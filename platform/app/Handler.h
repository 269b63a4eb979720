// A handler receives messages inside a looper's thread. It belongs to at most one looper;
// messages a handler does not take are passed to its next handler (by default its looper).
// A handler can carry its own filters, which run after the looper's common filters.
#ifndef _HANDLER_H
#define _HANDLER_H

#include <string>

#include <Archivable.h>
#include <List.h>

class BLooper;
class BMessage;
class BMessageFilter;

class BHandler : public BArchivable {
public:
	explicit BHandler(const char* name = nullptr);
	// Takes the name from "_name".
	explicit BHandler(BMessage* archive);
	~BHandler() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* into, bool deep = true) const override;

	// Hands the message to the next handler; at the end of the chain a waiting sender gets
	// B_MESSAGE_NOT_UNDERSTOOD.
	virtual void MessageReceived(BMessage* message);

	BLooper* Looper() const { return fLooper; }
	void SetName(const char* name);
	const char* Name() const { return fHasName ? fName.c_str() : nullptr; }
	virtual void SetNextHandler(BHandler* handler);
	BHandler* NextHandler() const { return fNextHandler; }

	// The handler owns its filters and deletes them with itself.
	virtual void AddFilter(BMessageFilter* filter);
	virtual bool RemoveFilter(BMessageFilter* filter);
	// Replaces (and deletes) the current filters; the handler takes the list's filters, not
	// the list.
	virtual void SetFilterList(BList* filters);
	BList* FilterList() { return fFilters.IsEmpty() ? nullptr : &fFilters; }

	// Locks the looper this handler belongs to, checking that it still belongs to it once
	// the lock is held.
	bool LockLooper();
	status_t LockLooperWithTimeout(bigtime_t timeout);
	void UnlockLooper();

	// The handler's token; messengers name handlers by it.
	int32 Token() const { return fToken; }

	BHandler(const BHandler&) = delete;
	BHandler& operator=(const BHandler&) = delete;

private:
	friend class BLooper;

	void _SetLooper(BLooper* looper);

	int32 fToken;
	std::string fName;
	bool fHasName;
	BLooper* fLooper;
	BHandler* fNextHandler;
	BList fFilters;
};

#endif
