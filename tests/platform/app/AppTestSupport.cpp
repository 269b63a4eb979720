#include "AppTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

PrivateRuntimeFolder::PrivateRuntimeFolder()
{
	const char* previous = getenv("XDG_RUNTIME_DIR");
	fHadPrevious = previous != nullptr;
	if (fHadPrevious)
		fPrevious = previous;
	char pattern[] = "/tmp/glowplate-app-test-XXXXXX";
	char* made = mkdtemp(pattern);
	fPath = made != nullptr ? made : "";
	setenv("XDG_RUNTIME_DIR", fPath.c_str(), 1);
}

PrivateRuntimeFolder::~PrivateRuntimeFolder()
{
	if (fHadPrevious)
		setenv("XDG_RUNTIME_DIR", fPrevious.c_str(), 1);
	else
		unsetenv("XDG_RUNTIME_DIR");
	std::error_code ignored;
	if (!fPath.empty())
		std::filesystem::remove_all(fPath, ignored);
}

void Recorder::Record(const BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	fMessages.push_back(*message);
	fChanged.notify_all();
}

bool Recorder::WaitFor(size_t count)
{
	std::unique_lock<std::mutex> guard(fLock);
	return fChanged.wait_for(guard, std::chrono::seconds(20),
	                         [&] { return fMessages.size() >= count; });
}

std::vector<BMessage> Recorder::Messages()
{
	std::lock_guard<std::mutex> guard(fLock);
	return fMessages;
}

std::vector<uint32> Recorder::Codes()
{
	std::lock_guard<std::mutex> guard(fLock);
	std::vector<uint32> codes;
	for (const BMessage& message : fMessages)
		codes.push_back(message.what);
	return codes;
}

void quit_looper(BLooper* looper)
{
	if (looper->Lock())
		looper->Quit();
}
