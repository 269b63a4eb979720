#include <FilePanel.h>

#include <Application.h>
#include <Autolock.h>
#include <Directory.h>
#include <Entry.h>
#include <Message.h>
#include <Path.h>

#include "FilePanelWindow.h"

using BPrivate::FilePanelWindow;

BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target, const entry_ref* directory,
                       uint32, bool allowMultipleSelection, BMessage* message, BRefFilter* filter,
                       bool, bool hideWhenDone)
    : fMode(mode), fTarget(target != nullptr ? *target : be_app_messenger),
      fMessage(message != nullptr ? new BMessage(*message) : nullptr), fFilter(filter),
      fHideWhenDone(hideWhenDone), fMultiple(allowMultipleSelection), fWindow(nullptr)
{
	fWindow = new FilePanelWindow(this, mode, allowMultipleSelection);
	if (directory != nullptr)
		SetPanelDirectory(directory);
	// The window was made by this thread, which holds it until it is first shown; the
	// panel's window belongs to its own thread from the start.
	fWindow->Run();
}

BFilePanel::~BFilePanel()
{
	if (fWindow->Lock())
		fWindow->Quit();
	delete fMessage;
}

void BFilePanel::Show()
{
	BAutolock lock(fWindow);
	fWindow->Present();
}

void BFilePanel::Hide()
{
	BAutolock lock(fWindow);
	if (!fWindow->IsHidden())
		fWindow->Hide();
}

bool BFilePanel::IsShowing() const
{
	BAutolock lock(fWindow);
	return !fWindow->IsHidden();
}

BWindow* BFilePanel::Window() const
{
	return fWindow;
}

void BFilePanel::SetTarget(BMessenger target)
{
	BAutolock lock(fWindow);
	fTarget = target;
}

void BFilePanel::SetMessage(BMessage* message)
{
	BAutolock lock(fWindow);
	delete fMessage;
	fMessage = message;
}

void BFilePanel::SetRefFilter(BRefFilter* filter)
{
	BAutolock lock(fWindow);
	fFilter = filter;
	fWindow->Refresh();
}

void BFilePanel::SetSaveText(const char* text)
{
	BAutolock lock(fWindow);
	fWindow->SetSaveText(text);
}

void BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	BAutolock lock(fWindow);
	fWindow->SetButtonLabel(button, label);
}

void BFilePanel::SetHideWhenDone(bool hide)
{
	BAutolock lock(fWindow);
	fHideWhenDone = hide;
}

void BFilePanel::SetPanelDirectory(const entry_ref* ref)
{
	BPath path;
	if (ref != nullptr && path.SetTo(ref) == B_OK)
		SetPanelDirectory(path.Path());
}

void BFilePanel::SetPanelDirectory(const BEntry* entry)
{
	BPath path;
	if (entry != nullptr && entry->GetPath(&path) == B_OK)
		SetPanelDirectory(path.Path());
}

void BFilePanel::SetPanelDirectory(const BDirectory* directory)
{
	BEntry entry;
	if (directory != nullptr && directory->GetEntry(&entry) == B_OK)
		SetPanelDirectory(&entry);
}

void BFilePanel::SetPanelDirectory(const char* path)
{
	if (path == nullptr)
		return;
	BAutolock lock(fWindow);
	fWindow->SetFolder(path);
}

void BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	BAutolock lock(fWindow);
	if (ref != nullptr)
		get_ref_for_path(fWindow->Folder().c_str(), ref);
}

void BFilePanel::Refresh()
{
	BAutolock lock(fWindow);
	fWindow->Refresh();
}

void BFilePanel::SendMessage(const BMessenger* target, BMessage* message)
{
	if (target != nullptr)
		target->SendMessage(message);
}

void BFilePanel::WasHidden() {}

void BFilePanel::SelectionChanged() {}
