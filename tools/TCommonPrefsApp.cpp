#include "TCommonPrefsApp.h"

#include <cstdio>

#include <Autolock.h>
#include <MessageRunner.h>
#include <OS.h>
#include <Window.h>

#include <Globals.h>
#include <TIAPItemAccKeyFormat.h>
#include <TIAPPortManager.h>
#include <TIAPWindow.h>
#include <ToolkitDefs.h>

namespace {

// Whether the program's part is over is looked at this often.
const uint32 kMsgCheckWindow = 'chkw';
const bigtime_t kCheckInterval = 250000;

} // namespace

const char* const TCommonPrefsApp::kSignature = "application/x-vnd.Tamarack-GlowplateCommonPrefs";

TCommonPrefsApp::TCommonPrefsApp(BRect frame, bool report)
    : BApplication(kSignature), mFrame(frame), mReport(report), mWatch(nullptr)
{
}

TCommonPrefsApp::~TCommonPrefsApp()
{
	delete mWatch;
}

void TCommonPrefsApp::ReadyToRun()
{
	gIAPs.ShowWindow(mFrame);
	_Report("ready");
	BMessage check(kMsgCheckWindow);
	mWatch = new BMessageRunner(be_app_messenger, &check, kCheckInterval);
}

void TCommonPrefsApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED: {
		// As every application of the family does: the store takes the value, and the format
		// the labels follow is read again when it changed.
		const char* item = nullptr;
		if (message->FindString(IAP_FIELD_SRC_ITEM, &item) != B_OK)
			break;
		BString name(item);
		status_t status = gIAPs.SetValue(message);
		if (name == IAP_NAME_ACC_KEY_FORMAT)
			gAppPrivacy.UpdateAccFormat();
		BString line;
		line << "changed " << Escaped(name) << " " << status
		     << " format=" << Escaped(gAppPrivacy.mAccKeyFormat);
		_Report(line);
		break;
	}
	case kMsgCheckWindow:
		_CheckWindow();
		break;
	default:
		BApplication::MessageReceived(message);
		break;
	}
}

void TCommonPrefsApp::_CheckWindow()
{
	if (!gIAPs.WindowCreated()) {
		// Another application hosts the window, with this program's items in it.
		if (find_port(PORT_NAME) < 0)
			PostMessage(B_QUIT_REQUESTED);
		return;
	}
	bool shown = false;
	for (int32 i = 0; BWindow* window = WindowAt(i); i++) {
		if (dynamic_cast<TIAPWindow*>(window) == nullptr)
			continue;
		BAutolock lock(window);
		shown = lock.IsLocked() && !window->IsHidden();
	}
	if (!shown)
		PostMessage(B_QUIT_REQUESTED);
}

void TCommonPrefsApp::_Report(const BString& line) const
{
	if (!mReport)
		return;
	printf("%s\n", line.String());
	fflush(stdout);
}

BString TCommonPrefsApp::Escaped(const BString& text)
{
	BString escaped;
	for (int32 i = 0; i < text.Length(); i++) {
		unsigned char byte = (unsigned char)text[i];
		if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
			escaped << (char)byte;
		} else {
			char code[5];
			snprintf(code, sizeof(code), "\\x%02x", byte);
			escaped << code;
		}
	}
	return escaped;
}
