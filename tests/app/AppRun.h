// Runs the whole program as its entry does (records loaded, the application made and run,
// the records saved) in a thread of its own, with its settings in a private folder and the
// headless display, so that the test's thread drives it through real input.
#ifndef APP_RUN_H
#define APP_RUN_H

#include <atomic>
#include <string>
#include <thread>

#include <OS.h>

class TGlowplateApp;
class TGlowplateWindow;

class AppRun {
public:
	AppRun();
	// Ends a program still running (as a quit request would) and removes the folders.
	~AppRun();

	// The settings folder of the program ("…/Tamarack/Glowplate"); it exists before Start so
	// that a test can put files there.
	std::string SettingsFolder() const;
	std::string SettingsFile(const char* name) const;

	void Start();
	// The application once its constructor returned (null until then or after a timeout).
	TGlowplateApp* App(bigtime_t timeout = 10000000);
	// The main window once it is shown and has drawn; null when there is none.
	TGlowplateWindow* Window();
	// Whether the program ended (its records saved) within the timeout.
	bool WaitForEnd(bigtime_t timeout = 10000000);

private:
	std::string fRoot;
	std::thread fThread;
	std::atomic<TGlowplateApp*> fApp{nullptr};
	std::atomic<bool> fEnded{false};
};

#endif
