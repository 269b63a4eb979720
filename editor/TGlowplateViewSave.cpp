// Saving the picture: the save panel, the file it names, and telling the user when the file
// could not be written.
#include "TGlowplateView.h"

#include <Entry.h>
#include <FilePanel.h>
#include <Path.h>

#include <AlertCaption.h>
#include <TDisplayView.h>
#include <TLocale.h>
#include <UIUtils.h>

#include "EditorLocaleKeys.h"

namespace {

// The dictionary key of the reason a save ended with.
const char* save_failure_reason(status_t status)
{
	switch (status) {
	case B_PERMISSION_DENIED:
		return LKK_ERR_SAVE_PERMISSION;
	case B_ENTRY_NOT_FOUND:
	case B_FILE_NOT_FOUND:
	case B_NOT_A_DIRECTORY:
		return LKK_ERR_SAVE_NOT_FOUND;
	case B_IS_A_DIRECTORY:
		return LKK_ERR_SAVE_IS_FOLDER;
	case B_READ_ONLY_DEVICE:
		return LKK_ERR_SAVE_READ_ONLY;
	case B_DEVICE_FULL:
		return LKK_ERR_SAVE_DISK_FULL;
	case B_NAME_TOO_LONG:
		return LKK_ERR_SAVE_NAME_TOO_LONG;
	case B_NO_MEMORY:
	case B_BUFFER_OVERFLOW:
		return LKK_ERR_SAVE_TOO_LARGE;
	case B_NO_TRANSLATOR:
		return LKK_ERR_SAVE_NO_ENCODER;
	default:
		return LKK_ERR_SAVE_OTHER;
	}
}

} // namespace

void TGlowplateView::ButtonSaveClicked()
{
	if (mSavePanel == nullptr) {
		BMessenger target(this);
		mSavePanel =
		    new BFilePanel(B_SAVE_PANEL, &target, nullptr, 0, false, nullptr, nullptr, false, true);
	}
	mSavePanel->Show();
}

void TGlowplateView::SaveRequested(BMessage* message)
{
	entry_ref ref;
	if (get_save_ref(message, &ref) != B_OK)
		return;
	// The picture saved is the one on display now, whenever the panel was opened.
	const status_t status = mDisplayView->Save(ref);
	if (status != B_OK)
		_ShowSaveError(ref, status);
}

void TGlowplateView::_ShowSaveError(const entry_ref& ref, status_t status)
{
	// A failed save that went unmentioned would leave the user believing the picture is on
	// disk; the alert names the file and why it could not be written.
	BPath path(&ref);
	BString text(gLocale.GetString(LKK_ALERT_SAVE_FAILED));
	// The path goes in last, so that a file name holding "%Reason%" stays as it is.
	text.ReplaceAll("%Reason%", gLocale.GetString(save_failure_reason(status)));
	text.ReplaceAll("%File%", path.InitCheck() == B_OK ? path.Path() : ref.name);
	show_alert3(alert_caption(), text, gLocale.GetString(LKK_BUTTON_OK), "", "", 0, B_STOP_ALERT);
}
