// A dialog window: a basic window whose shortcut keys (Alt with a letter, Enter, Escape, the
// function keys) come to the window itself, which hands them to its content view's
// ShortCutDown; it also carries a target and an invocation message for what it reports.
#ifndef T_DIALOG_WINDOW_H
#define T_DIALOG_WINDOW_H

#include <Messenger.h>

#include "TBasicWindow.h"

class TDialogWindow : public TBasicWindow {
public:
	TDialogWindow(BRect frame, const char* title, window_type type, uint32 flags,
	              uint32 workspaces = B_CURRENT_WORKSPACE);
	TDialogWindow(BRect frame, const char* title, window_look look, window_feel feel,
	              uint32 flags, uint32 workspaces = B_CURRENT_WORKSPACE);
	~TDialogWindow() override;

	// A key the shortcut filter sent to the window.
	virtual void KeyDown(BMessage* message);

	void MessageReceived(BMessage* message) override;
	// The window's thread runs at display priority while the window is shown, low while
	// hidden.
	void Show() override;
	void Hide() override;

	void SetTarget(const BMessenger& target) { mTarget = target; }
	BMessenger Target() const { return mTarget; }
	// The window takes the message and deletes the previous one.
	status_t SetMessage(BMessage* message);
	BMessage* Message() const { return mMessage; }
	// Sends the message (or the stored one) to the target; the send's status.
	status_t Invoke(BMessage* message = nullptr);

private:
	void Init();

	BMessenger mTarget;
	BMessage* mMessage;
};

#endif
