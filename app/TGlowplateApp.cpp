#include "TGlowplateApp.h"

#include <cstring>

#include <Alert.h>
#include <Autolock.h>
#include <Messenger.h>

#include <AlertCaption.h>
#include <AppIdentity.h>
#include <EditorLocaleKeys.h>
#include <TIAPItem.h>
#include <TIAPItemAccKeyFormat.h>
#include <ToolkitDefs.h>
#include <UIUtils.h>

#include "AccLabel.h"
#include "AppLocaleKeys.h"
#include "Globals.h"
#include "TGlowplateWindow.h"

TGlowplateApp::TGlowplateApp() : BApplication(gAppSignature), mGlowplateWindow(nullptr)
{
	mGlowplateWindow = new TGlowplateWindow(gExitStates.mWindowFrame);
	if (mGlowplateWindow->InitCheck() == B_OK) {
		mGlowplateWindow->IntelligentAdjust();
		mGlowplateWindow->Show();
		return;
	}
	BString text(gLocale.GetString(LKK_ERR_CANNOT_SHOW_MAIN_WIN));
	text << "\n" << gLocale.GetString(LKK_HINT_EXCUTABLE_MAYBE_BROKEN);
	show_alert3(alert_caption(), text, acc_label("U", gLocale.GetString(LKK_BUTTON_UNDERSTAND)),
	            "", "", -1, B_WARNING_ALERT);
	// Never shown, the window still belongs to this thread, which may delete it.
	delete mGlowplateWindow;
	mGlowplateWindow = nullptr;
}

TGlowplateApp::~TGlowplateApp() {}

void TGlowplateApp::ReadyToRun()
{
	if (mGlowplateWindow == nullptr)
		be_app_messenger.SendMessage(B_QUIT_REQUESTED);
}

void TGlowplateApp::MessageReceived(BMessage* message)
{
	if (message->what != MSG_IAP_CHANGED) {
		BApplication::MessageReceived(message);
		return;
	}
	const char* item = nullptr;
	if (message->FindString(IAP_FIELD_SRC_ITEM, &item) == B_OK) {
		gIAPs.SetValue(message);
		if (strcmp(item, IAP_NAME_ACC_KEY_FORMAT) == 0)
			gAppPrivacy.UpdateAccFormat();
	}
	if (mGlowplateWindow != nullptr)
		BMessenger(mGlowplateWindow).SendMessage(message);
}

bool TGlowplateApp::QuitRequested()
{
	if (mGlowplateWindow == nullptr)
		return true;
	// The window answers by whether its own thread is dispatching a message at this moment.
	// Holding its lock keeps that thread out of any dispatch for the length of the call, so
	// the answer is the one for a call from outside (true), also while the window is still
	// finishing the close or Quit command that posted this request. The window thread never
	// waits for this thread, so taking its lock cannot deadlock.
	BAutolock lock(mGlowplateWindow);
	if (!lock.IsLocked())
		return true;
	return mGlowplateWindow->QuitRequested();
}

void TGlowplateApp::Quit()
{
	if (mGlowplateWindow != nullptr) {
		BAutolock lock(mGlowplateWindow);
		if (lock.IsLocked() && !mGlowplateWindow->IsHidden())
			mGlowplateWindow->Hide();
	}
	close_window(&mGlowplateWindow);
	BApplication::Quit();
}

BString TGlowplateApp::AboutText()
{
	BString notice(gCright);
	notice.ReplaceAll("%AppAuthor%", gLocale.GetString(gAppAuthorEnUs));
	BString text(gLocale.GetString(gAppNameJaJp));
	text << "    " << gAppVer << "\n" << notice;
	return text;
}

void TGlowplateApp::AboutRequested()
{
	show_alert3("", AboutText(), gLocale.GetString(LKK_BUTTON_OK), "", "", -1, B_INFO_ALERT);
}
