// BTab: one page of a BTabView, holding the view that the tab view shows while the tab is
// selected.
#include <TabView.h>

#include <Message.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

BTab::BTab(BView* contentsView)
    : fView(contentsView), fHasLabel(false), fSelected(false), fEnabled(true), fFocus(false)
{
}

BTab::BTab(BMessage* archive) : BTab((BView*)nullptr)
{
	const char* label;
	if (archive != nullptr && archive->FindString("_label", &label) == B_OK)
		SetLabel(label);
	fEnabled = archive == nullptr || !archive->GetBool("_disable", false);
}

BTab::~BTab()
{
	// A view in the tree leaves it as it is deleted.
	delete fView;
}

BArchivable* BTab::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTab"))
		return nullptr;
	return new BTab(archive);
}

status_t BTab::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	return status;
}

const char* BTab::Label() const
{
	if (fHasLabel)
		return fLabel.c_str();
	return fView != nullptr && fView->Name() != nullptr ? fView->Name() : "";
}

void BTab::SetLabel(const char* label)
{
	fHasLabel = label != nullptr;
	fLabel = label != nullptr ? label : "";
}

void BTab::Select(BView* owner)
{
	fSelected = true;
	if (owner == nullptr || fView == nullptr || fView->Parent() == owner)
		return;
	// A view that stands elsewhere moves here: a view is in one tree at a time.
	fView->RemoveSelf();
	owner->AddChild(fView);
}

void BTab::Deselect()
{
	fSelected = false;
	if (fView != nullptr)
		fView->RemoveSelf();
}

void BTab::SetView(BView* view)
{
	if (view == fView)
		return;
	BView* owner = fView != nullptr ? fView->Parent() : nullptr;
	delete fView;
	fView = view;
	if (fSelected && owner != nullptr)
		Select(owner);
}

void BTab::DrawTab(BView* owner, BRect frame, tab_position position, bool full)
{
	uint32 flags = 0;
	if (fSelected)
		flags |= StylePainter::kPressed;
	if (!fEnabled)
		flags |= StylePainter::kDisabled;
	BWindow* window = owner->Window();
	if (fFocus && owner->IsFocus() && window != nullptr && window->IsActive())
		flags |= StylePainter::kFocused;
	StylePainter::DrawButton(owner, frame, flags);
	StylePainter::DrawButtonLabel(owner, frame, Label(), flags);
}

B_REGISTER_ARCHIVABLE(BTab);
