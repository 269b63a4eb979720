// The program's entry: the settings records are loaded before the application exists and
// saved after it is gone, so that what the window and the editor left in the exit state is
// written last. The arguments are not looked at.
#include "AppLifecycle.h"
#include "QuitOnSignals.h"
#include "TGlowplateApp.h"

int main(int, char**)
{
	quit_application_on_signals();
	prepare_display_identity();
	load_glowplate_records();
	TGlowplateApp* app = new TGlowplateApp;
	app->Run();
	delete app;
	save_glowplate_records();
	return 0;
}
