// A looper that keeps copies of the messages it receives, for tests that check what was sent
// where. Waiting for messages has a generous deadline that only keeps a broken build from
// hanging; it says nothing about speed.
#ifndef MESSAGE_RECORDER_H
#define MESSAGE_RECORDER_H

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include <Looper.h>
#include <Message.h>

class RecordingLooper : public BLooper {
public:
	explicit RecordingLooper(const char* name = "recording looper") : BLooper(name) {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		fMessages.push_back(*message);
		fChanged.notify_all();
	}

	// Waits until at least `count` messages came; false when they did not.
	bool WaitFor(size_t count)
	{
		std::unique_lock<std::mutex> lock(fLock);
		return fChanged.wait_for(lock, std::chrono::seconds(30),
		                         [&] { return fMessages.size() >= count; });
	}

	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fMessages;
	}

	// What came so far, once everything sent before this call has been handled: a message
	// sent now is handled after all of those, so the wait is for the barrier itself (counting
	// messages instead would return early while earlier ones are still on their way).
	std::vector<BMessage> MessagesAfterBarrier()
	{
		size_t barriers = 0;
		for (const BMessage& message : Messages())
			barriers += message.what == kBarrier ? 1 : 0;
		PostMessage(kBarrier);
		{
			std::unique_lock<std::mutex> lock(fLock);
			fChanged.wait_for(lock, std::chrono::seconds(30), [&] {
				size_t seen = 0;
				for (const BMessage& message : fMessages)
					seen += message.what == kBarrier ? 1 : 0;
				return seen > barriers;
			});
		}
		std::vector<BMessage> messages;
		for (const BMessage& message : Messages()) {
			if (message.what != kBarrier)
				messages.push_back(message);
		}
		return messages;
	}

	static constexpr uint32 kBarrier = 'barr';

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<BMessage> fMessages;
};

// Runs a recording looper for the life of the object.
class RunningRecorder {
public:
	RunningRecorder() : fLooper(new RecordingLooper) { fLooper->Run(); }
	~RunningRecorder()
	{
		if (fLooper->Lock())
			fLooper->Quit();
	}
	RecordingLooper* operator->() const { return fLooper; }
	RecordingLooper* Looper() const { return fLooper; }

private:
	RecordingLooper* fLooper;
};

#endif
