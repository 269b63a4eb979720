// The window of a file panel: the folder's path (type another and press Enter to go there),
// a button for the parent folder, the folder's entries, a line for what went wrong, the name
// field of a save panel and the two buttons. It works in its own thread and reaches the
// panel's target only by messages.
#ifndef _FILE_PANEL_WINDOW_H
#define _FILE_PANEL_WINDOW_H

#include <string>
#include <vector>

#include <FilePanel.h>
#include <Window.h>

#include "FolderListing.h"

class BButton;
class BListView;
class BStringView;
class BTextControl;

namespace BPrivate {

class FilePanelWindow : public BWindow {
public:
	FilePanelWindow(BFilePanel* panel, file_panel_mode mode, bool multiple);

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;
	void Hide() override;

	// Goes to the folder (a path, absolute or relative to the current folder); shows what went
	// wrong when it cannot be read.
	void SetFolder(const std::string& path);
	const std::string& Folder() const { return fFolder; }
	void Refresh() { SetFolder(fFolder); }
	// Shows the window, or brings it to the front, with the folder as it is now and the name
	// field (the list in an open panel) ready for the keyboard. The first time it comes up
	// over the window the user works in; after that where the user left it.
	void Present();
	void SetSaveText(const char* text);
	void SetButtonLabel(file_panel_button button, const char* label);
	// The text of the line that says what went wrong (empty when nothing did).
	const char* Status() const;

private:
	void _Build(file_panel_mode mode, bool multiple);
	void _LayOutButtons();
	void _ShowStatus(const std::string& text);
	void _EntryInvoked();
	void _SelectionChanged();
	void _Accept();
	void _Save();
	void _Open();
	void _Cancel();
	void _Send(BMessage* message);
	uint32 _AnswerCode() const;

	BFilePanel* fPanel;
	file_panel_mode fMode;
	std::string fFolder;
	std::vector<FolderEntry> fEntries;
	BTextControl* fPathField;
	BButton* fParentButton;
	BListView* fList;
	BStringView* fStatus;
	BTextControl* fNameField;
	BButton* fCancelButton;
	BButton* fDefaultButton;
	bool fPlaced = false;
};

} // namespace BPrivate

#endif
