// The application object: the one looper of a program that runs in the program's main thread
// (Run() does not return until the application quits), is reachable by other applications of
// the user through its signature, and keeps track of the program's windows.
//
// Constructing it publishes the application in the per-user runtime folder (see BRoster);
// when that folder cannot be used the application still runs, only unreachable from outside.
// Unlike other loopers it is not left locked by its constructor.
//
// Windows: a window class enters itself in the looper registry (LooperRegistry.h, AddWindow)
// when it is constructed and leaves it when it is deleted; CountWindows and WindowAt read that
// list, and the default QuitRequested asks each window in turn.
#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <memory>
#include <string>

#include <Looper.h>
#include <Messenger.h>

class BResources;
class BWindow;
struct app_info;

namespace BPrivate {
class AppTransport;
}

class BApplication : public BLooper {
public:
	// The signature is a MIME type in the "application" group
	// ("application/x-vnd.Maker-Program"); InitCheck() reports B_BAD_VALUE for any other, and
	// B_ALREADY_RUNNING when this process has an application object already.
	explicit BApplication(const char* signature);
	BApplication(const char* signature, status_t* error);
	~BApplication() override;

	status_t InitCheck() const { return fInitStatus; }
	const char* Signature() const { return fSignature.c_str(); }
	status_t GetAppInfo(app_info* info) const;

	// Runs the message loop in the calling thread; returns after Quit(). The loop starts
	// with B_READY_TO_RUN queued behind whatever was posted before Run().
	thread_id Run() override;
	// Ends the loop once the current message is done. Unlike a looper's, the application
	// object is not deleted: the code that ran Run() deletes it.
	void Quit() override;
	// Asks every window to quit, in order, and quits those that agree; false (and the
	// remaining windows stay) when one refuses.
	bool QuitRequested() override;

	virtual void ReadyToRun();
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void RefsReceived(BMessage* message);
	virtual void AboutRequested();

	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;

	int32 CountWindows() const;
	BWindow* WindowAt(int32 index) const;

	// The resources compiled into the executable (see Resources.h); never null.
	static BResources* AppResources();

private:
	void _Init(const char* signature);
	bool _QuitAllWindows(bool force);

	std::string fSignature;
	status_t fInitStatus;
	bool fReadyToRunDone;
	std::unique_ptr<BPrivate::AppTransport> fTransport;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif
