#include "TBasicWindow.h"

#include <Autolock.h>
#include <Message.h>
#include <Messenger.h>
#include <Screen.h>

#include "TBasicView.h"
#include "ToolkitDefs.h"

TBasicWindow::TBasicWindow(BRect frame, const char* title, window_type type, uint32 flags,
                           uint32 workspaces)
    : BWindow(frame, title, type, flags, workspaces)
{
}

TBasicWindow::TBasicWindow(BRect frame, const char* title, window_look look, window_feel feel,
                           uint32 flags, uint32 workspaces)
    : BWindow(frame, title, look, feel, flags, workspaces)
{
}

TBasicWindow::~TBasicWindow() {}

void TBasicWindow::Appear()
{
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;
	while (IsHidden())
		Show();
	Sync();
	if ((Flags() & B_AVOID_FOCUS) == 0 && !IsActive())
		Activate();
}

void TBasicWindow::IAPChanged(BMessage*) {}

void TBasicWindow::LanguageChanged() {}

void TBasicWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED:
		IAPChanged(message);
		TransferToView(message);
		break;
	case MSG_LANGUAGE_CHANGED:
		LanguageChanged();
		TransferToView(message);
		break;
	default:
		BWindow::MessageReceived(message);
		break;
	}
}

bool TBasicWindow::QuitRequested()
{
	if (CurrentMessage() == nullptr)
		return true;
	if (!IsHidden())
		Hide();
	return false;
}

float TBasicWindow::TitleBarHeight(window_look look)
{
	switch (look) {
	case B_TITLED_WINDOW_LOOK:
	case B_DOCUMENT_WINDOW_LOOK:
		return 22;
	case B_FLOATING_WINDOW_LOOK:
		return 18;
	default:
		return 0;
	}
}

float TBasicWindow::BorderWidth(window_look look)
{
	switch (look) {
	case B_TITLED_WINDOW_LOOK:
	case B_MODAL_WINDOW_LOOK:
	case B_DOCUMENT_WINDOW_LOOK:
		return 5;
	case B_FLOATING_WINDOW_LOOK:
		return 3;
	case B_BORDERED_WINDOW_LOOK:
		return 1;
	default:
		return 0;
	}
}

BPoint TBasicWindow::IntelligentMoveTo(BPoint where)
{
	float title = TitleBarHeight(Look());
	float border = BorderWidth(Look());
	BRect bounds = Bounds();
	BRect screen = BScreen(this).Frame();
	if (where.x + bounds.right > screen.right - border)
		where.x = screen.right - bounds.right - border;
	if (where.y + bounds.bottom > screen.bottom - border)
		where.y = screen.bottom - bounds.bottom - border;
	// The top-left rule wins for a window larger than the screen.
	if (where.x < border)
		where.x = border;
	if (where.y < title + border)
		where.y = title + border;
	MoveTo(where);
	return where;
}

BPoint TBasicWindow::IntelligentCentering()
{
	BRect bounds = Bounds();
	BRect screen = BScreen(this).Frame();
	BPoint where((screen.right - bounds.right) * 0.5f, (screen.bottom - bounds.bottom) * 0.5f);
	MoveTo(where);
	return where;
}

BPoint TBasicWindow::IntelligentAdjust()
{
	return IntelligentMoveTo(Frame().LeftTop());
}

void TBasicWindow::TransferToView(BMessage* message)
{
	if (TBasicView* view = dynamic_cast<TBasicView*>(ChildAt(0)))
		BMessenger(view).SendMessage(message);
}
