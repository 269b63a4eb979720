#include "AppRun.h"

#include <cstdlib>
#include <filesystem>

#include <AppDefs.h>
#include <Autolock.h>
#include <Messenger.h>

#include <AppLifecycle.h>
#include <TGlowplateApp.h>
#include <TGlowplateWindow.h>

#include "TestDriver.h"

namespace fs = std::filesystem;

AppRun::AppRun()
{
	char pattern[] = "/tmp/glowplate-app-test-XXXXXX";
	if (mkdtemp(pattern) != nullptr)
		fRoot = pattern;
	fs::create_directories(fRoot + "/run");
	fs::permissions(fRoot + "/run", fs::perms::owner_all);
	fs::create_directories(SettingsFolder());
	setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
	setenv("XDG_RUNTIME_DIR", (fRoot + "/run").c_str(), 1);
	setenv("GLOWPLATE_BACKEND", "headless", 1);
}

AppRun::~AppRun()
{
	if (fThread.joinable()) {
		if (!fEnded.load() && fApp.load() != nullptr)
			be_app_messenger.SendMessage(B_QUIT_REQUESTED);
		fThread.join();
	}
	std::error_code error;
	fs::remove_all(fRoot, error);
}

std::string AppRun::SettingsFolder() const
{
	return fRoot + "/config/Tamarack/Glowplate";
}

std::string AppRun::SettingsFile(const char* name) const
{
	return SettingsFolder() + "/" + name;
}

void AppRun::Start()
{
	fThread = std::thread([this] {
		load_glowplate_records();
		TGlowplateApp* app = new TGlowplateApp;
		fApp.store(app);
		app->Run();
		fApp.store(nullptr);
		delete app;
		save_glowplate_records();
		fEnded.store(true);
	});
}

TGlowplateApp* AppRun::App(bigtime_t timeout)
{
	driver::WaitFor([&] { return fApp.load() != nullptr || fEnded.load(); }, timeout);
	return fApp.load();
}

TGlowplateWindow* AppRun::Window()
{
	TGlowplateApp* app = App();
	if (app == nullptr)
		return nullptr;
	TGlowplateWindow* window = app->MainWindow();
	if (window == nullptr || driver::Sync(window) != B_OK)
		return nullptr;
	return window;
}

bool AppRun::WaitForEnd(bigtime_t timeout)
{
	return driver::WaitFor([&] { return fEnded.load(); }, timeout);
}
