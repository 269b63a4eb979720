#include <Application.h>

#include <cassert>
#include <cstring>
#include <unistd.h>
#include <vector>

#include <Clipboard.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Resources.h>
#include <Roster.h>

#include "AppRegistry.h"
#include "AppTransport.h"
#include "DisplayHooks.h"
#include "LooperRegistry.h"

using BPrivate::LooperRegistry;

BApplication* be_app = nullptr;
BMessenger be_app_messenger;

BApplication::BApplication(const char* signature)
    : BLooper("application"), fInitStatus(B_NO_INIT), fReadyToRunDone(false)
{
	_Init(signature);
	// Unlike other loopers the application is not left locked by its constructor, so that
	// Run() may be called from another thread than the one that built it (tests do).
	UnlockFully();
}

BApplication::BApplication(const char* signature, status_t* error)
    : BLooper("application"), fInitStatus(B_NO_INIT), fReadyToRunDone(false)
{
	_Init(signature);
	UnlockFully();
	if (error != nullptr)
		*error = fInitStatus;
}

void BApplication::_Init(const char* signature)
{
	if (signature == nullptr || strncasecmp(signature, "application/", 12) != 0 ||
	    strlen(signature) <= 12 || strlen(signature) >= B_MIME_TYPE_LENGTH) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	if (be_app != nullptr) {
		fInitStatus = B_ALREADY_RUNNING;
		return;
	}
	fSignature = signature;
	be_app = this;
	be_app_messenger = BMessenger(nullptr, this);
	fInitStatus = B_OK;

	// The display starts with the application, so that the constructor may already show a
	// window or an alert; without a display the program ends here with a message.
	if (const BPrivate::DisplayHooks* hooks = BPrivate::display_hooks())
		hooks->start();
	be_clipboard = new BClipboard("system");

	// Being reachable by other applications is a service, not a condition of running: when
	// the runtime folder is unusable the application works alone.
	fTransport = std::make_unique<BPrivate::AppTransport>();
	if (fTransport->Start(Token()) == B_OK) {
		if (BPrivate::AppRegistry::Register(fSignature.c_str()) != B_OK)
			fTransport->Stop();
	}
}

BApplication::~BApplication()
{
	_QuitAllWindows(true);
	if (be_app == this) {
		BPrivate::AppRegistry::Unregister();
		if (fTransport)
			fTransport->Stop();
		delete be_clipboard;
		be_clipboard = nullptr;
		if (const BPrivate::DisplayHooks* hooks = BPrivate::display_hooks())
			hooks->stop();
		be_app = nullptr;
		be_app_messenger = BMessenger();
	}
}

status_t BApplication::GetAppInfo(app_info* info) const
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	return be_roster->GetRunningAppInfo(getpid(), info);
}

thread_id BApplication::Run()
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	// Posting does not wait; should the queue be full already, the message goes straight into
	// the looper's own queue rather than being lost.
	if (PostMessage(B_READY_TO_RUN) != B_OK)
		MessageQueue()->AddMessage(new BMessage(B_READY_TO_RUN));
	RunLoopInCallingThread();
	UnlockFully();
	return Thread();
}

void BApplication::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	SetTerminating();
	// From another thread: the loop may be waiting for messages. The caller keeps the lock it
	// holds; the loop ends once it can take the lock.
	if (find_thread(nullptr) != Thread())
		WakeUp();
}

bool BApplication::QuitRequested()
{
	return _QuitAllWindows(false);
}

bool BApplication::_QuitAllWindows(bool force)
{
	// A snapshot: quitting windows leave the registry while this walks it.
	LooperRegistry& registry = LooperRegistry::Default();
	std::vector<BPrivate::LooperRef> windows;
	for (int32 i = 0; i < registry.CountWindows(); i++) {
		BPrivate::LooperRef ref;
		if (registry.FindLooper(registry.WindowLooperAt(i), &ref))
			windows.push_back(ref);
	}
	for (const BPrivate::LooperRef& window : windows) {
		// Locked through the registry's handle, since a window may be gone by now.
		if (!window.lock->locker.Lock())
			continue;
		if (window.lock->gone) {
			window.lock->locker.Unlock();
			continue;
		}
		if (!force && !window.looper->QuitRequested()) {
			window.lock->locker.Unlock();
			return false;
		}
		window.looper->Quit();
	}
	return true;
}

void BApplication::ReadyToRun() {}

void BApplication::ArgvReceived(int32, char**) {}

void BApplication::RefsReceived(BMessage*) {}

void BApplication::AboutRequested() {}

void BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
	case B_READY_TO_RUN:
		// Once per run, whoever else posts the code.
		if (!fReadyToRunDone) {
			fReadyToRunDone = true;
			ReadyToRun();
		}
		break;
	case B_ABOUT_REQUESTED:
		AboutRequested();
		break;
	case B_REFS_RECEIVED:
		RefsReceived(message);
		break;
	case B_ARGV_RECEIVED: {
		int32 argc = 0;
		message->FindInt32("argc", &argc);
		std::vector<char*> argv;
		const char* argument;
		for (int32 i = 0; i < argc && message->FindString("argv", i, &argument) == B_OK; i++) {
			argv.push_back(const_cast<char*>(argument));
		}
		argv.push_back(nullptr);
		ArgvReceived((int32)argv.size() - 1, argv.data());
		break;
	}
	default:
		BLooper::DispatchMessage(message, handler);
		break;
	}
}

void BApplication::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}

int32 BApplication::CountWindows() const
{
	return LooperRegistry::Default().CountWindows();
}

BWindow* BApplication::WindowAt(int32 index) const
{
	return LooperRegistry::Default().WindowAt(index);
}
