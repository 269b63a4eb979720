// The queue through which messages reach a looper from any thread. It holds a bounded number
// of messages, like the port of a looper on the platform: senders wait (up to their timeout)
// while it is full, and the looper thread waits while it is empty.
//
// Private to the application kit.
#ifndef _LOOPER_PORT_H
#define _LOOPER_PORT_H

#include <condition_variable>
#include <deque>
#include <mutex>

#include <SupportDefs.h>

class BMessage;
class BMessageQueue;

namespace BPrivate {

class LooperPort {
public:
	explicit LooperPort(int32 capacity);
	~LooperPort();

	// Takes ownership of message on B_OK. A full port answers B_WOULD_BLOCK for a zero timeout
	// and B_TIMED_OUT when the timeout passed; a closed port B_BAD_PORT_ID.
	status_t Push(BMessage* message, bigtime_t timeout);

	// Moves every queued message into queue. With wait, blocks first until there is at least
	// one message, or until Interrupt or Close.
	void DrainInto(BMessageQueue* queue, bool wait);

	// Wakes a thread blocked in DrainInto once.
	void Interrupt();
	// Refuses all further messages and deletes the queued ones (which answers their waiting
	// senders with B_NO_REPLY).
	void Close();

	int32 Count() const;
	int32 Capacity() const { return fCapacity; }

	LooperPort(const LooperPort&) = delete;
	LooperPort& operator=(const LooperPort&) = delete;

private:
	mutable std::mutex fLock;
	std::condition_variable fNotEmpty;
	std::condition_variable fNotFull;
	std::deque<BMessage*> fMessages;
	int32 fCapacity;
	bool fClosed = false;
	bool fInterrupted = false;
};

} // namespace BPrivate

#endif
