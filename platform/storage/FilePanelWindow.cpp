#include "FilePanelWindow.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include <Alert.h>
#include <Button.h>
#include <ListItem.h>
#include <ListView.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>

#include "DialogPlacement.h"
#include "PlatformText.h"

namespace BPrivate {

namespace {

enum : uint32 {
	kMsgPath = '_fpP',
	kMsgParent = '_fpU',
	kMsgSelected = '_fpS',
	kMsgInvoked = '_fpI',
	kMsgAccept = '_fpA',
	kMsgCancel = '_fpC',
};

const float kMargin = 10;
const float kButtonWidth = 80;
const float kRowHeight = 22;
const float kButtonHeight = 24;

std::string home_folder()
{
	const char* home = getenv("HOME");
	return home != nullptr && *home == '/' ? home : "/";
}

const char* describe(status_t status)
{
	switch (status) {
	case B_PERMISSION_DENIED:
		return platform_text(PlatformTextId::kReasonNotAllowed);
	case B_ENTRY_NOT_FOUND:
		return platform_text(PlatformTextId::kReasonNoSuchFolder);
	case B_NOT_A_DIRECTORY:
		return platform_text(PlatformTextId::kReasonNotAFolder);
	default:
		return platform_text(PlatformTextId::kReasonUnreadable);
	}
}

const char* accept_label(file_panel_mode mode)
{
	return platform_text(mode == B_SAVE_PANEL ? PlatformTextId::kSave : PlatformTextId::kOpen);
}

} // namespace

FilePanelWindow::FilePanelWindow(BFilePanel* panel, file_panel_mode mode, bool multiple)
    : BWindow(BRect(120, 120, 639, 519), accept_label(mode), B_TITLED_WINDOW,
              B_NOT_ZOOMABLE | B_CLOSE_ON_ESCAPE | B_ASYNCHRONOUS_CONTROLS),
      fPanel(panel), fMode(mode), fNameField(nullptr)
{
	_Build(mode, multiple);
	SetSizeLimits(360, 4000, 240, 4000);
	SetFolder(home_folder());
}

void FilePanelWindow::_Build(file_panel_mode mode, bool multiple)
{
	BRect bounds = Bounds();
	BView* background = new BView(bounds, "_panel_", B_FOLLOW_ALL, B_WILL_DRAW);
	background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(background);

	float right = bounds.right - kMargin;
	fParentButton = new BButton(BRect(right - 59, kMargin, right, kMargin + kButtonHeight - 1),
	                            "ParentButton", platform_text(PlatformTextId::kParentFolder),
	                            new BMessage(kMsgParent), B_FOLLOW_RIGHT | B_FOLLOW_TOP);
	background->AddChild(fParentButton);
	const char* folderLabel = platform_text(PlatformTextId::kFolderLabel);
	fPathField = new BTextControl(BRect(kMargin, kMargin + 1, right - 68, kMargin + kRowHeight),
	                              "PathField", folderLabel, "", new BMessage(kMsgPath),
	                              B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fPathField->SetDivider(fPathField->StringWidth(folderLabel) + 8);
	background->AddChild(fPathField);

	float bottom = bounds.bottom - kMargin;
	float buttonsTop = bottom - kButtonHeight + 1;
	// The buttons and the name field get their places from _LayOutButtons.
	fDefaultButton =
	    new BButton(BRect(right - kButtonWidth + 1, buttonsTop, right, bottom), "ButtonDefault",
	                accept_label(mode), new BMessage(kMsgAccept), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fCancelButton = new BButton(
	    BRect(right - 2 * kButtonWidth - 9, buttonsTop, right - kButtonWidth - 10, bottom),
	    "ButtonCancel", platform_text(PlatformTextId::kCancel), new BMessage(kMsgCancel),
	    B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	background->AddChild(fCancelButton);
	background->AddChild(fDefaultButton);
	if (mode == B_SAVE_PANEL) {
		const char* nameLabel = platform_text(PlatformTextId::kNameLabel);
		fNameField = new BTextControl(
		    BRect(kMargin, buttonsTop + 1, right - 2 * kButtonWidth - 20, bottom - 1), "NameField",
		    nameLabel, "", new BMessage(kMsgAccept), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
		fNameField->SetDivider(fNameField->StringWidth(nameLabel) + 8);
		background->AddChild(fNameField);
	}
	_LayOutButtons();

	float statusBottom = buttonsTop - 6;
	fStatus = new BStringView(BRect(kMargin, statusBottom - 17, right, statusBottom), "StatusView",
	                          "", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	fStatus->SetHighColor(180, 0, 0);
	background->AddChild(fStatus);

	BRect listFrame(kMargin + 2, kMargin + kRowHeight + 10, right - 2 - B_V_SCROLL_BAR_WIDTH,
	                statusBottom - 22);
	fList = new BListView(listFrame, "FileList",
	                      multiple && mode == B_OPEN_PANEL ? B_MULTIPLE_SELECTION_LIST
	                                                       : B_SINGLE_SELECTION_LIST,
	                      B_FOLLOW_ALL);
	fList->SetSelectionMessage(new BMessage(kMsgSelected));
	fList->SetInvocationMessage(new BMessage(kMsgInvoked));
	background->AddChild(new BScrollView("FileScroll", fList, B_FOLLOW_ALL, 0, false, true));
	fDefaultButton->MakeDefault(true);
}

void FilePanelWindow::_LayOutButtons()
{
	// Both buttons as wide as the wider label needs (and no narrower than usual), so that a
	// longer word, another language's or the program's own, is never cut off.
	float width = kButtonWidth;
	for (BButton* button : {fCancelButton, fDefaultButton}) {
		float preferred;
		button->GetPreferredSize(&preferred, nullptr);
		width = std::max(width, std::ceil(preferred));
	}
	float right = fDefaultButton->Parent()->Bounds().right - kMargin;
	float top = fDefaultButton->Frame().top;
	fDefaultButton->MoveTo(right - width + 1, top);
	fDefaultButton->ResizeTo(width - 1, kButtonHeight - 1);
	fCancelButton->MoveTo(right - 2 * width - 9, top);
	fCancelButton->ResizeTo(width - 1, kButtonHeight - 1);
	if (fNameField != nullptr) {
		BRect frame = fNameField->Frame();
		fNameField->ResizeTo(std::max(fCancelButton->Frame().left - 11 - frame.left, 40.0f),
		                     frame.Height());
	}
}

void FilePanelWindow::Present()
{
	Refresh();
	if (!fPlaced) {
		MoveTo(BPrivate::dialog_position(Frame().Width(), Frame().Height()));
		fPlaced = true;
	}
	if (fNameField != nullptr) {
		fNameField->MakeFocus(true);
		fNameField->TextView()->SelectAll();
	} else {
		fList->MakeFocus(true);
	}
	if (IsHidden())
		Show();
	else
		Activate();
}

const char* FilePanelWindow::Status() const
{
	return fStatus->Text();
}

void FilePanelWindow::_ShowStatus(const std::string& text)
{
	fStatus->SetText(text.c_str());
}

void FilePanelWindow::SetFolder(const std::string& path)
{
	std::string folder = normalize_folder(path, fFolder.empty() ? home_folder() : fFolder);
	std::vector<FolderEntry> entries;
	status_t status = list_folder(folder, &entries);
	if (status != B_OK) {
		// The panel stays where it was, and says why it did not go.
		_ShowStatus(platform_text(PlatformTextId::kCannotOpenFolder, {folder, describe(status)}));
		fPathField->SetText(fFolder.c_str());
		if (fFolder.empty()) {
			fFolder = folder;
			fEntries.clear();
			fList->MakeEmpty();
		}
		return;
	}
	fFolder = folder;
	fEntries = entries;
	fPathField->SetText(folder.c_str());
	_ShowStatus("");
	fList->DeselectAll();
	fList->MakeEmpty();
	for (const FolderEntry& entry : fEntries)
		fList->AddItem(new BStringItem((entry.name + (entry.isFolder ? "/" : "")).c_str()));
}

void FilePanelWindow::SetSaveText(const char* text)
{
	if (fNameField != nullptr)
		fNameField->SetText(text);
}

void FilePanelWindow::SetButtonLabel(file_panel_button button, const char* label)
{
	(button == B_CANCEL_BUTTON ? fCancelButton : fDefaultButton)->SetLabel(label);
	_LayOutButtons();
}

void FilePanelWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgPath:
		SetFolder(fPathField->Text());
		break;
	case kMsgParent:
		SetFolder(parent_folder(fFolder));
		break;
	case kMsgSelected:
		_SelectionChanged();
		break;
	case kMsgInvoked:
		_EntryInvoked();
		break;
	case kMsgAccept:
		_Accept();
		break;
	case kMsgCancel:
		_Cancel();
		break;
	default:
		BWindow::MessageReceived(message);
		break;
	}
}

void FilePanelWindow::_SelectionChanged()
{
	int32 index = fList->CurrentSelection();
	// Choosing a file of the folder proposes its name for saving over it.
	if (fNameField != nullptr && index >= 0 && index < (int32)fEntries.size() &&
	    !fEntries[(size_t)index].isFolder)
		fNameField->SetText(fEntries[(size_t)index].name.c_str());
	fPanel->SelectionChanged();
}

void FilePanelWindow::_EntryInvoked()
{
	int32 index = fList->CurrentSelection();
	if (index < 0 || index >= (int32)fEntries.size())
		return;
	const FolderEntry& entry = fEntries[(size_t)index];
	if (entry.isFolder) {
		SetFolder(fFolder + "/" + entry.name);
		return;
	}
	_Accept();
}

void FilePanelWindow::_Accept()
{
	if (fMode == B_SAVE_PANEL)
		_Save();
	else
		_Open();
}

void FilePanelWindow::_Save()
{
	std::string name = fNameField->Text();
	if (name.empty()) {
		_ShowStatus(platform_text(PlatformTextId::kTypeAName));
		return;
	}
	if (name.find('/') != std::string::npos) {
		_ShowStatus(platform_text(PlatformTextId::kNoSlashInName));
		return;
	}
	std::string path = fFolder == "/" ? "/" + name : fFolder + "/" + name;
	struct stat info;
	if (stat(path.c_str(), &info) == 0) {
		// The name of a folder goes into that folder rather than over it.
		if (S_ISDIR(info.st_mode)) {
			SetFolder(path);
			fNameField->SetText("");
			return;
		}
		std::string text = platform_text(PlatformTextId::kReplaceQuestion, {name});
		BAlert* alert = new BAlert(platform_text(PlatformTextId::kReplaceTitle), text.c_str(),
		                           platform_text(PlatformTextId::kCancel),
		                           platform_text(PlatformTextId::kReplace), nullptr,
		                           B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		alert->SetShortcut(0, B_ESCAPE);
		if (alert->Go() != 1)
			return;
	}
	entry_ref folder;
	status_t status = get_ref_for_path(fFolder.c_str(), &folder);
	if (status != B_OK) {
		_ShowStatus(platform_text(PlatformTextId::kCannotSaveInto, {fFolder, describe(status)}));
		return;
	}
	BMessage answer(fPanel->fMessage != nullptr ? *fPanel->fMessage : BMessage(B_SAVE_REQUESTED));
	answer.AddRef("directory", &folder);
	answer.AddString("name", name.c_str());
	_Send(&answer);
}

void FilePanelWindow::_Open()
{
	BMessage answer(fPanel->fMessage != nullptr ? *fPanel->fMessage : BMessage(B_REFS_RECEIVED));
	int32 count = 0;
	for (int32 i = 0; (i = fList->CurrentSelection(count)) >= 0; count++) {
		if (i >= (int32)fEntries.size())
			continue;
		const FolderEntry& entry = fEntries[(size_t)i];
		// A single folder chosen is opened in the panel rather than returned.
		if (entry.isFolder && fList->CurrentSelection(1) < 0) {
			SetFolder(fFolder + "/" + entry.name);
			return;
		}
		entry_ref ref;
		if (get_ref_for_path((fFolder + "/" + entry.name).c_str(), &ref) == B_OK)
			answer.AddRef("refs", &ref);
	}
	if (!answer.HasRef("refs"))
		return;
	_Send(&answer);
}

uint32 FilePanelWindow::_AnswerCode() const
{
	if (fPanel->fMessage != nullptr)
		return fPanel->fMessage->what;
	return fMode == B_SAVE_PANEL ? B_SAVE_REQUESTED : B_REFS_RECEIVED;
}

void FilePanelWindow::_Cancel()
{
	BMessage cancel(B_CANCEL);
	cancel.AddInt32("old_what", (int32)_AnswerCode());
	fPanel->SendMessage(&fPanel->fTarget, &cancel);
	if (!IsHidden())
		Hide();
}

void FilePanelWindow::_Send(BMessage* message)
{
	fPanel->SendMessage(&fPanel->fTarget, message);
	if (fPanel->fHideWhenDone && !IsHidden())
		Hide();
}

bool FilePanelWindow::QuitRequested()
{
	// The close box and Escape cancel; only the panel's own deletion closes the window.
	if (CurrentMessage() == nullptr)
		return true;
	_Cancel();
	return false;
}

void FilePanelWindow::Hide()
{
	BWindow::Hide();
	fPanel->WasHidden();
}

} // namespace BPrivate
