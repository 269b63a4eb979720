#include "TIAPWindow.h"

#include <Autolock.h>
#include <Messenger.h>

#include <TLocale.h>

#include "IAPLocaleKeys.h"
#include "TIAPPortManager.h"
#include "TIAPView.h"

TIAPWindow::TIAPWindow(BRect frame)
    : TDialogWindow(frame, "", B_TITLED_WINDOW,
                    B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS,
                    B_CURRENT_WORKSPACE),
      mPortManager(nullptr)
{
	mView = new TIAPView(frame.OffsetToCopy(0, 0));
	ResizeTo(mView->Bounds().Width(), mView->Bounds().Height());
	AddChild(mView);
	SetWindowTitle();
}

TIAPWindow::~TIAPWindow()
{
	// The port thread hands messages to the view, so it ends before the view goes. Its
	// deliveries give up once it is asked to end, so the wait is short.
	if (TIAPPortManager* manager = mPortManager.exchange(nullptr)) {
		manager->Terminate();
		manager->PreventBlocking();
		manager->Wait();
		delete manager;
	}
}

void TIAPWindow::Show()
{
	TDialogWindow::Show();
	BAutolock lock(this);
	if (mPortManager.load() == nullptr) {
		TIAPPortManager* manager = new TIAPPortManager(BMessenger(mView));
		mPortManager = manager;
		manager->Resume();
	}
}

bool TIAPWindow::QuitRequested()
{
	// The close box or a quit request over the port: the open changes are undone.
	if (CurrentMessage() != nullptr) {
		if (!IsHidden())
			Hide();
		mView->SetComponents(TIAPView::kOpeningCopy);
	}
	return TDialogWindow::QuitRequested();
}

void TIAPWindow::LanguageChanged()
{
	SetWindowTitle();
}

void TIAPWindow::SetWindowTitle()
{
	SetTitle(gLocale.GetString(LKK_IAP_WIN_TITLE));
}

port_id TIAPWindow::Port() const
{
	TIAPPortManager* manager = mPortManager.load();
	return manager != nullptr ? manager->Port() : TIAPPortManager::kPortNotYet;
}
