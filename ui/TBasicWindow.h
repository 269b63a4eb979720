// The base of every window of the maker's applications: windows that come to the front
// reliably and stay on the screen with their frames, close boxes that hide instead of
// destroying, and the notices of shared-preference and language changes passed down to the
// content view.
#ifndef T_BASIC_WINDOW_H
#define T_BASIC_WINDOW_H

#include <Window.h>

class TBasicWindow : public BWindow {
public:
	TBasicWindow(BRect frame, const char* title, window_type type, uint32 flags,
	             uint32 workspaces = B_CURRENT_WORKSPACE);
	TBasicWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
	             uint32 workspaces = B_CURRENT_WORKSPACE);
	~TBasicWindow() override;

	// Shows the window however often it was hidden, and activates it unless it avoids the
	// focus or is active already. Locks the window itself, so any thread may call it.
	virtual void Appear();
	virtual void IAPChanged(BMessage* message);
	virtual void LanguageChanged();

	void MessageReceived(BMessage* message) override;
	// True for a programmatic quit (no message being processed); a close box or a quit
	// message hides the window instead and answers false.
	bool QuitRequested() override;

	// Moves the window to the point, or as near as keeps it and its frame (title bar and
	// border, by its look) on the main screen; returns the point used.
	BPoint IntelligentMoveTo(BPoint where);
	BPoint IntelligentCentering();
	BPoint IntelligentAdjust();

	// Sends the message on to the content view when that is a TBasicView.
	void TransferToView(BMessage* message);

	// The decorations the display adds around a window of each look.
	static float TitleBarHeight(window_look look);
	static float BorderWidth(window_look look);
};

#endif
