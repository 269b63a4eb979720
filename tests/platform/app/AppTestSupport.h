// Shared pieces of the application kit tests: a private runtime folder per test, a looper
// that records what it receives, and waiting for something another thread does.
#ifndef APP_TEST_SUPPORT_H
#define APP_TEST_SUPPORT_H

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include <Looper.h>
#include <Message.h>
#include <OS.h>

// Points XDG_RUNTIME_DIR at a fresh private folder, so that applications started by a test
// only meet each other; the folder is removed again at the end.
class PrivateRuntimeFolder {
public:
	PrivateRuntimeFolder();
	~PrivateRuntimeFolder();
	const std::string& Path() const { return fPath; }

private:
	std::string fPath;
	std::string fPrevious;
	bool fHadPrevious;
};

// The codes and copies of the messages a handler saw, safe to read from the test thread.
class Recorder {
public:
	void Record(const BMessage* message);
	// Waits (generously: the limit only keeps a broken build from hanging) until count
	// messages arrived.
	bool WaitFor(size_t count);
	std::vector<BMessage> Messages();
	std::vector<uint32> Codes();

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<BMessage> fMessages;
};

class RecordingLooper : public BLooper {
public:
	explicit RecordingLooper(const char* name = "recording looper") : BLooper(name) {}
	void MessageReceived(BMessage* message) override { recorder.Record(message); }

	Recorder recorder;
};

class RecordingHandler : public BHandler {
public:
	explicit RecordingHandler(const char* name = "recording handler") : BHandler(name) {}
	void MessageReceived(BMessage* message) override { recorder.Record(message); }

	Recorder recorder;
};

// Quits a running looper from the test thread and waits for its thread to end.
void quit_looper(BLooper* looper);

#endif
