// An application for tests of windows: made on the test's thread, with a private runtime
// folder and the headless display, and run in a thread of its own, so that the test thread is
// free to drive input and look at the results. Ending it quits every window.
#ifndef TEST_APPLICATION_H
#define TEST_APPLICATION_H

#include <functional>
#include <string>
#include <thread>

#include <Application.h>

namespace BPrivate {
class HeadlessBackend;
}

class TestApplication {
public:
	// `make` builds the application object (a subclass of the test's, say) once the
	// environment is set up; without it a plain application is made. The test application
	// runs it and deletes it.
	explicit TestApplication(std::function<BApplication*()> make = nullptr);
	~TestApplication();

	BApplication* App() const { return fApp; }
	BPrivate::HeadlessBackend* Backend() const;
	// Ends the application's loop (it quits its windows) and waits for it.
	void Quit();
	bool IsRunning() const { return fThread.joinable(); }

private:
	std::string fRuntimeFolder;
	std::string fPreviousRuntime;
	bool fHadRuntime;
	BApplication* fApp;
	std::thread fThread;
};

#endif
