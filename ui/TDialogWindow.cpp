#include "TDialogWindow.h"

#include <Message.h>
#include <OS.h>

#include "TDialogView.h"
#include "TShortCutFilter.h"
#include "ToolkitDefs.h"

TDialogWindow::TDialogWindow(BRect frame, const char* title, window_type type, uint32 flags,
                             uint32 workspaces)
    : TBasicWindow(frame, title, type, flags, workspaces), mMessage(nullptr)
{
	Init();
}

TDialogWindow::TDialogWindow(BRect frame, const char* title, window_look look, window_feel feel,
                             uint32 flags, uint32 workspaces)
    : TBasicWindow(frame, title, look, feel, flags, workspaces), mMessage(nullptr)
{
	Init();
}

TDialogWindow::~TDialogWindow()
{
	delete mMessage;
}

void TDialogWindow::Init()
{
	// The window owns the filter from here on.
	AddCommonFilter(new TShortCutFilter(nullptr));
}

void TDialogWindow::KeyDown(BMessage* message)
{
	TDialogView* view = dynamic_cast<TDialogView*>(ChildAt(0));
	if (view == nullptr)
		return;
	int32 rawChar = message->GetInt32("raw_char", 0);
	int32 key = message->GetInt32("key", 0);
	view->ShortCutDown((char)rawChar, key);
}

void TDialogWindow::MessageReceived(BMessage* message)
{
	if (message->what == B_KEY_DOWN) {
		KeyDown(message);
		return;
	}
	TBasicWindow::MessageReceived(message);
}

void TDialogWindow::Show()
{
	TBasicWindow::Show();
	set_thread_priority(Thread(), B_DISPLAY_PRIORITY);
}

void TDialogWindow::Hide()
{
	TBasicWindow::Hide();
	set_thread_priority(Thread(), B_LOW_PRIORITY);
}

status_t TDialogWindow::SetMessage(BMessage* message)
{
	if (message != mMessage)
		delete mMessage;
	mMessage = message;
	return B_OK;
}

status_t TDialogWindow::Invoke(BMessage* message)
{
	BMessage* sent = message != nullptr ? message : mMessage;
	if (sent == nullptr)
		return B_BAD_VALUE;
	return mTarget.SendMessage(sent);
}
