// TIAPWindow is the shared preferences window of the family's applications: a dialog that holds
// one TIAPView, hosted by whichever application opened it first (TInterAppPrefs::ShowWindow).
// Its first Show starts the port manager, which makes the port PORT_NAME through which the
// other applications reach the window; the port lives as long as the window.
//
// Closing it (the close box, or a quit request over the port) hides it and undoes the changes
// made since it was opened; only a programmatic quit, as when its application quits, destroys
// it. Destroying it stops the port manager first.
#ifndef T_IAP_WINDOW_H
#define T_IAP_WINDOW_H

#include <atomic>

#include <OS.h>

#include <TDialogWindow.h>

class TIAPPortManager;
class TIAPView;

class TIAPWindow : public TDialogWindow {
public:
	// The window is as large as its view needs, at the frame's left top corner.
	explicit TIAPWindow(BRect frame);
	~TIAPWindow() override;

	void Show() override;
	bool QuitRequested() override;
	void LanguageChanged() override;

	void SetWindowTitle();
	// The port manager's port: TIAPPortManager::kPortNotYet until it has one (also before the
	// first Show), kPortFailed when it could not make it.
	port_id Port() const;
	TIAPView* View() const { return mView; }

private:
	std::atomic<TIAPPortManager*> mPortManager;
	TIAPView* mView;
};

#endif
