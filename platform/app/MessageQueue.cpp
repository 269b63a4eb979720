#include <MessageQueue.h>

#include <algorithm>

#include <Autolock.h>
#include <Message.h>

BMessageQueue::BMessageQueue() : fLocker("message queue") {}

BMessageQueue::~BMessageQueue()
{
	std::deque<BMessage*> messages;
	{
		BAutolock lock(fLocker);
		messages.swap(fMessages);
	}
	for (BMessage* message : messages)
		delete message;
}

void BMessageQueue::AddMessage(BMessage* message)
{
	if (message == nullptr)
		return;
	BAutolock lock(fLocker);
	fMessages.push_back(message);
}

bool BMessageQueue::RemoveMessage(BMessage* message)
{
	BAutolock lock(fLocker);
	auto found = std::find(fMessages.begin(), fMessages.end(), message);
	if (found == fMessages.end())
		return false;
	fMessages.erase(found);
	return true;
}

BMessage* BMessageQueue::NextMessage()
{
	BAutolock lock(fLocker);
	if (fMessages.empty())
		return nullptr;
	BMessage* message = fMessages.front();
	fMessages.pop_front();
	return message;
}

BMessage* BMessageQueue::FindMessage(int32 index) const
{
	BAutolock lock(fLocker);
	if (index < 0 || index >= (int32)fMessages.size())
		return nullptr;
	return fMessages[(size_t)index];
}

BMessage* BMessageQueue::FindMessage(uint32 what, int32 index) const
{
	BAutolock lock(fLocker);
	for (BMessage* message : fMessages) {
		if (message->what == what && index-- == 0)
			return message;
	}
	return nullptr;
}

int32 BMessageQueue::CountMessages() const
{
	BAutolock lock(fLocker);
	return (int32)fMessages.size();
}

bool BMessageQueue::IsEmpty() const
{
	return CountMessages() == 0;
}

bool BMessageQueue::Lock()
{
	return fLocker.Lock();
}

void BMessageQueue::Unlock()
{
	fLocker.Unlock();
}

bool BMessageQueue::IsLocked() const
{
	return fLocker.IsLocked();
}
