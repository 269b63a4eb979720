// The application object: it makes the main window at the frame the user left it in, shows
// it, or says that it cannot be built; it relays changes of the family's shared preferences
// to the window, answers the About item, and on quitting closes the window so that the
// window's frame, the sign text and the favourite colours reach the exit state before the
// entry saves it.
#ifndef T_GLOWPLATE_APP_H
#define T_GLOWPLATE_APP_H

#include <Application.h>
#include <String.h>

class TGlowplateWindow;

class TGlowplateApp : public BApplication {
public:
	TGlowplateApp();
	~TGlowplateApp() override;

	void MessageReceived(BMessage* message) override;
	void Quit() override;
	bool QuitRequested() override;
	void ReadyToRun() override;
	void AboutRequested() override;

	// The main window, or null when it could not be built or is gone.
	TGlowplateWindow* MainWindow() const { return mGlowplateWindow; }

	// The about box's text: the localised name, four spaces, the version, and the legal
	// notice with the author's name in it.
	static BString AboutText();

private:
	TGlowplateWindow* mGlowplateWindow;
};

#endif
