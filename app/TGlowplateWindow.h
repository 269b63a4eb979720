// The application's only document window: the editor view, unarchived from the view tree in
// the program's resources, under a menu bar with the File and Help menus. Closing it or
// choosing Quit hides it and asks the application to quit; the application then quits the
// window, which keeps its frame in the exit state for the next start.
#ifndef T_GLOWPLATE_WINDOW_H
#define T_GLOWPLATE_WINDOW_H

#include <TDialogWindow.h>

class BMenuBar;
class TGlowplateView;

class TGlowplateWindow : public TDialogWindow {
public:
	// The frame's left and top place the window; its size follows the editor view.
	explicit TGlowplateWindow(BRect frame);
	~TGlowplateWindow() override;

	void MessageReceived(BMessage* message) override;
	void Quit() override;
	bool QuitRequested() override;
	void IAPChanged(BMessage* message) override;
	// Alt with the letter a menu title shows opens that menu; other keys go to the editor.
	void KeyDown(BMessage* message) override;

	// B_OK once the editor view and the menus are built; B_NO_INIT when the view tree could
	// not be loaded.
	status_t InitCheck() const { return mInitStatus; }
	void SetWinTitle();
	void CreateMenu();
	// Removes and deletes every menu of the menu bar.
	void DestroyMenu();

	TGlowplateView* EditorView() const { return mGlowplateView; }

private:
	status_t _BuildEditorView();
	bool _OpenMenuOfLetter(char letter);

	status_t mInitStatus;
	BMenuBar* mMenuBar;
	TGlowplateView* mGlowplateView;
};

#endif
