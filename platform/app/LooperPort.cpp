#include "LooperPort.h"

#include <chrono>

#include <Message.h>
#include <MessageQueue.h>

namespace BPrivate {

namespace {
constexpr bigtime_t kForever = (bigtime_t)1 << 50;
}

LooperPort::LooperPort(int32 capacity) : fCapacity(capacity > 0 ? capacity : 1) {}

LooperPort::~LooperPort()
{
	Close();
}

status_t LooperPort::Push(BMessage* message, bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(fLock);
	auto room = [this] { return fClosed || (int32)fMessages.size() < fCapacity; };
	if (!room()) {
		if (timeout <= 0)
			return B_WOULD_BLOCK;
		// Beyond a few years a timeout means "forever", and chrono must not overflow on it.
		if (timeout >= kForever)
			fNotFull.wait(guard, room);
		else if (!fNotFull.wait_for(guard, std::chrono::microseconds(timeout), room))
			return B_TIMED_OUT;
	}
	if (fClosed)
		return B_BAD_PORT_ID;
	fMessages.push_back(message);
	fNotEmpty.notify_one();
	return B_OK;
}

void LooperPort::DrainInto(BMessageQueue* queue, bool wait)
{
	std::deque<BMessage*> taken;
	{
		std::unique_lock<std::mutex> guard(fLock);
		if (wait) {
			fNotEmpty.wait(guard, [this] { return !fMessages.empty() || fInterrupted || fClosed; });
		}
		fInterrupted = false;
		taken.swap(fMessages);
		if (!taken.empty())
			fNotFull.notify_all();
	}
	for (BMessage* message : taken)
		queue->AddMessage(message);
}

void LooperPort::Interrupt()
{
	std::lock_guard<std::mutex> guard(fLock);
	fInterrupted = true;
	fNotEmpty.notify_all();
}

void LooperPort::Close()
{
	std::deque<BMessage*> dropped;
	{
		std::lock_guard<std::mutex> guard(fLock);
		fClosed = true;
		dropped.swap(fMessages);
		fNotEmpty.notify_all();
		fNotFull.notify_all();
	}
	// Deleting may answer waiting senders, which takes their locks: never under ours.
	for (BMessage* message : dropped)
		delete message;
}

int32 LooperPort::Count() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return (int32)fMessages.size();
}

} // namespace BPrivate
