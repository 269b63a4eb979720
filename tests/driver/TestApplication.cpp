#include "TestApplication.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <Looper.h>

#include <HeadlessBackend.h>

#include "Desktop.h"

TestApplication::TestApplication(std::function<BApplication*()> make) : fApp(nullptr)
{
	const char* previous = getenv("XDG_RUNTIME_DIR");
	fHadRuntime = previous != nullptr;
	if (fHadRuntime)
		fPreviousRuntime = previous;
	char folder[] = "/tmp/glowplate-gui-test-XXXXXX";
	if (mkdtemp(folder) != nullptr) {
		fRuntimeFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
	}
	setenv("GLOWPLATE_BACKEND", "headless", 1);
	fApp = make ? make() : new BApplication("application/x-vnd.Glowplate-Test");
	BApplication* running = fApp;
	fThread = std::thread([running] { running->Run(); });
}

TestApplication::~TestApplication()
{
	Quit();
	delete fApp;
	if (fHadRuntime)
		setenv("XDG_RUNTIME_DIR", fPreviousRuntime.c_str(), 1);
	else
		unsetenv("XDG_RUNTIME_DIR");
	if (!fRuntimeFolder.empty()) {
		std::error_code error;
		std::filesystem::remove_all(fRuntimeFolder, error);
	}
}

BPrivate::HeadlessBackend* TestApplication::Backend() const
{
	BPrivate::Desktop* desktop = BPrivate::Desktop::Current();
	return desktop != nullptr ? desktop->Headless() : nullptr;
}

void TestApplication::Quit()
{
	if (!fThread.joinable())
		return;
	// Forcing: the application's own QuitRequested may refuse, which a test's end must not.
	if (fApp->Lock()) {
		fApp->Quit();
		fApp->Unlock();
	}
	fThread.join();
}
