#include <Handler.h>

#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>

#include "LooperRegistry.h"

using BPrivate::LooperRegistry;

BHandler::BHandler(const char* name)
    : fToken(LooperRegistry::Default().AddHandler(this)), fName(name != nullptr ? name : ""),
      fHasName(name != nullptr), fLooper(nullptr), fNextHandler(nullptr)
{
}

BHandler::BHandler(BMessage* archive) : BHandler((const char*)nullptr)
{
	const char* name;
	if (archive != nullptr && archive->FindString("_name", &name) == B_OK)
		SetName(name);
}

BHandler::~BHandler()
{
	// A handler deleted while still attached leaves its looper first, so that the looper
	// never dispatches to freed memory.
	if (fLooper != nullptr && fLooper != this)
		fLooper->RemoveHandler(this);
	LooperRegistry::Default().RemoveHandler(fToken);
	SetFilterList(nullptr);
}

BArchivable* BHandler::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BHandler"))
		return nullptr;
	return new BHandler(archive);
}

status_t BHandler::Archive(BMessage* into, bool deep) const
{
	status_t status = BArchivable::Archive(into, deep);
	if (status == B_OK && fHasName)
		status = into->AddString("_name", fName.c_str());
	return status;
}

void BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != nullptr && fNextHandler != this) {
		fNextHandler->MessageReceived(message);
		return;
	}
	if (message->IsSourceWaiting()) {
		BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
		message->SendReply(&reply);
	}
}

void BHandler::SetName(const char* name)
{
	fHasName = name != nullptr;
	fName = name != nullptr ? name : "";
}

void BHandler::SetNextHandler(BHandler* handler)
{
	fNextHandler = handler;
}

void BHandler::AddFilter(BMessageFilter* filter)
{
	if (filter == nullptr)
		return;
	filter->SetLooper(fLooper);
	fFilters.AddItem(filter);
}

bool BHandler::RemoveFilter(BMessageFilter* filter)
{
	if (!fFilters.RemoveItem(filter))
		return false;
	filter->SetLooper(nullptr);
	return true;
}

void BHandler::SetFilterList(BList* filters)
{
	for (int32 i = 0; i < fFilters.CountItems(); i++)
		delete (BMessageFilter*)fFilters.ItemAtFast(i);
	fFilters.MakeEmpty();
	if (filters == nullptr)
		return;
	for (int32 i = 0; i < filters->CountItems(); i++)
		AddFilter((BMessageFilter*)filters->ItemAt(i));
}

bool BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper;
	if (looper == nullptr)
		return B_BAD_VALUE;
	// Lock through the registry's handle, which stays valid even if the looper is deleted
	// while this thread waits.
	BPrivate::LooperRef ref;
	if (!LooperRegistry::Default().FindLooper(looper, &ref))
		return B_BAD_VALUE;
	status_t status = ref.lock->locker.LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	if (ref.lock->gone || fLooper != looper) {
		ref.lock->locker.Unlock();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}

void BHandler::UnlockLooper()
{
	if (fLooper != nullptr)
		fLooper->Unlock();
}

void BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
	for (int32 i = 0; i < fFilters.CountItems(); i++)
		((BMessageFilter*)fFilters.ItemAtFast(i))->SetLooper(looper);
}
B_REGISTER_ARCHIVABLE(BHandler);
