// The panel in which the user picks a file to save to (B_SAVE_PANEL) or files to open
// (B_OPEN_PANEL). It is a window of its own, with the current folder's path, the folder's
// folders and files, a button for the parent folder, a name field (when saving) and the
// buttons that answer. The answer goes to the target as a message: B_SAVE_REQUESTED with
// "directory" (the folder's entry_ref) and "name", or B_REFS_RECEIVED with "refs"; cancelling
// (the button, Escape or the close box) sends B_CANCEL with "old_what". The panel keeps its
// folder from one showing to the next.
#ifndef _FILE_PANEL_H
#define _FILE_PANEL_H

#include <Entry.h>
#include <Messenger.h>

class BDirectory;
class BEntry;
class BMessage;
class BNode;
class BWindow;
struct stat;

namespace BPrivate {
class FilePanelWindow;
}

enum file_panel_mode {
	B_OPEN_PANEL,
	B_SAVE_PANEL,
};

enum file_panel_button {
	B_CANCEL_BUTTON,
	B_DEFAULT_BUTTON,
};

// Chooses the entries an open panel shows; an entry it refuses is left out.
class BRefFilter {
public:
	virtual ~BRefFilter() = default;
	virtual bool Filter(const entry_ref* ref, BNode* node, struct stat* info,
	                    const char* mimeType) = 0;
};

class BFilePanel {
public:
	// Without a target the answers go to the application; without a folder the panel
	// starts in the user's home folder; without a message it sends the platform's own codes.
	BFilePanel(file_panel_mode mode = B_OPEN_PANEL, BMessenger* target = nullptr,
	           const entry_ref* directory = nullptr, uint32 nodeFlavors = 0,
	           bool allowMultipleSelection = true, BMessage* message = nullptr,
	           BRefFilter* filter = nullptr, bool modal = false, bool hideWhenDone = true);
	virtual ~BFilePanel();

	void Show();
	void Hide();
	bool IsShowing() const;

	BWindow* Window() const;
	file_panel_mode PanelMode() const { return fMode; }
	BMessenger Messenger() const { return fTarget; }

	void SetTarget(BMessenger target);
	// The panel takes the message.
	void SetMessage(BMessage* message);
	void SetRefFilter(BRefFilter* filter);
	BRefFilter* RefFilter() const { return fFilter; }
	void SetSaveText(const char* text);
	void SetButtonLabel(file_panel_button button, const char* label);
	void SetHideWhenDone(bool hide);
	bool HidesWhenDone() const { return fHideWhenDone; }

	void SetPanelDirectory(const entry_ref* ref);
	void SetPanelDirectory(const BEntry* entry);
	void SetPanelDirectory(const BDirectory* directory);
	void SetPanelDirectory(const char* path);
	void GetPanelDirectory(entry_ref* ref) const;
	// Reads the folder again.
	void Refresh();

	// The answer itself: sends the message to the target (hooks for subclasses).
	virtual void SendMessage(const BMessenger* target, BMessage* message);
	virtual void WasHidden();
	virtual void SelectionChanged();

	BFilePanel(const BFilePanel&) = delete;
	BFilePanel& operator=(const BFilePanel&) = delete;

private:
	friend class BPrivate::FilePanelWindow;

	file_panel_mode fMode;
	BMessenger fTarget;
	BMessage* fMessage;
	BRefFilter* fFilter;
	bool fHideWhenDone;
	bool fMultiple;
	BPrivate::FilePanelWindow* fWindow;
};

#endif
