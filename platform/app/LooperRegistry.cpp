#include "LooperRegistry.h"

#include <algorithm>

namespace BPrivate {

LooperRegistry& LooperRegistry::Default()
{
	// Never destroyed: handlers in static storage may unregister after other statics are gone.
	static LooperRegistry* sRegistry = new LooperRegistry;
	return *sRegistry;
}

int32 LooperRegistry::AddHandler(BHandler* handler)
{
	std::lock_guard<std::mutex> guard(fLock);
	int32 token = fNextToken++;
	fHandlers[token] = handler;
	return token;
}

void LooperRegistry::RemoveHandler(int32 token)
{
	std::lock_guard<std::mutex> guard(fLock);
	fHandlers.erase(token);
}

BHandler* LooperRegistry::HandlerFor(int32 token) const
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fHandlers.find(token);
	return found != fHandlers.end() ? found->second : nullptr;
}

void LooperRegistry::AddLooper(int32 token, BLooper* looper, std::shared_ptr<LooperPort> port,
                               std::shared_ptr<LooperLock> lock)
{
	std::lock_guard<std::mutex> guard(fLock);
	LooperRef& ref = fLoopers[token];
	ref.looper = looper;
	ref.port = std::move(port);
	ref.lock = std::move(lock);
}

void LooperRegistry::RemoveLooper(int32 token)
{
	std::lock_guard<std::mutex> guard(fLock);
	fLoopers.erase(token);
}

void LooperRegistry::SetLooperThread(int32 token, thread_id thread)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fLoopers.find(token);
	if (found != fLoopers.end())
		found->second.thread = thread;
}

bool LooperRegistry::FindLooper(int32 token, LooperRef* ref) const
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fLoopers.find(token);
	if (found == fLoopers.end())
		return false;
	if (ref != nullptr)
		*ref = found->second;
	return true;
}

bool LooperRegistry::FindLooper(const BLooper* looper, LooperRef* ref) const
{
	std::lock_guard<std::mutex> guard(fLock);
	for (const auto& [token, entry] : fLoopers) {
		if (entry.looper == looper) {
			if (ref != nullptr)
				*ref = entry;
			return true;
		}
	}
	return false;
}

BLooper* LooperRegistry::LooperForThread(thread_id thread) const
{
	std::lock_guard<std::mutex> guard(fLock);
	for (const auto& [token, entry] : fLoopers) {
		if (entry.thread == thread)
			return entry.looper;
	}
	return nullptr;
}

void LooperRegistry::AddWindow(BLooper* looper, BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	fWindows.push_back({looper, window});
}

void LooperRegistry::RemoveWindow(BLooper* looper)
{
	std::lock_guard<std::mutex> guard(fLock);
	fWindows.erase(
	    std::remove_if(fWindows.begin(), fWindows.end(),
	                   [looper](const Window& window) { return window.looper == looper; }),
	    fWindows.end());
}

int32 LooperRegistry::CountWindows() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return (int32)fWindows.size();
}

BWindow* LooperRegistry::WindowAt(int32 index) const
{
	std::lock_guard<std::mutex> guard(fLock);
	if (index < 0 || index >= (int32)fWindows.size())
		return nullptr;
	return fWindows[(size_t)index].window;
}

BLooper* LooperRegistry::WindowLooperAt(int32 index) const
{
	std::lock_guard<std::mutex> guard(fLock);
	if (index < 0 || index >= (int32)fWindows.size())
		return nullptr;
	return fWindows[(size_t)index].looper;
}

} // namespace BPrivate
