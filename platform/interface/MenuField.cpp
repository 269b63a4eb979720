#include <MenuField.h>

#include <algorithm>
#include <cmath>

#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "ControlSupport.h"
#include "ViewColors.h"
#include "MenuFieldBar.h"
#include "StylePainter.h"

using BPrivate::MenuFieldBar;
using BPrivate::StylePainter;

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
                       uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags)
{
	_Init(label, menu, false);
}

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
                       bool fixedSize, uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags)
{
	_Init(label, menu, fixedSize);
}

BMenuField::BMenuField(BMessage* archive) : BView(archive)
{
	const char* label = nullptr;
	if (archive != nullptr)
		archive->FindString("_label", &label);
	_InitFields(label, false);
	if (archive != nullptr) {
		float divider;
		if (archive->FindFloat("_divide", &divider) == B_OK && std::isfinite(divider))
			fDivider = std::clamp(divider, 0.0f, std::max(0.0f, Bounds().Width()));
		int32 align;
		if (archive->FindInt32("_align", &align) == B_OK &&
		    (align == B_ALIGN_LEFT || align == B_ALIGN_RIGHT || align == B_ALIGN_CENTER))
			fAlignment = (alignment)align;
		fFixedSize = archive->GetBool("_fixed", false);
	}
	// The bar came back with the other children; only a field archived without it (or with
	// something else in its place) gets a new one.
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (auto* bar = dynamic_cast<MenuFieldBar*>(child)) {
			fMenuBar = bar;
			break;
		}
	}
	_EnsureBar();
	_PlaceBar();
	if (archive != nullptr && archive->GetBool("_disable", false))
		SetEnabled(false);
}

BMenuField::~BMenuField() {}

void BMenuField::_InitFields(const char* label, bool fixedSize)
{
	fHasLabel = label != nullptr;
	fLabel = label != nullptr ? label : "";
	fEnabled = true;
	fFixedSize = fixedSize;
	fWasNavigable = (Flags() & B_NAVIGABLE) != 0;
	fAlignment = B_ALIGN_LEFT;
	// A labelled field starts halfway, as on the platform, until the program sets it.
	fDivider = fHasLabel ? std::floor(Bounds().Width() / 2) : 0;
	fMenuBar = nullptr;
}

void BMenuField::_Init(const char* label, BMenu* menu, bool fixedSize)
{
	_InitFields(label, fixedSize);
	if (menu != nullptr) {
		fMenuBar = new MenuFieldBar(BRect(0, 0, 10, 10));
		fMenuBar->AddItem(menu);
		// A menu that shows its marked item starts with it.
		if (BMenuItem* marked = menu->IsLabelFromMarked() ? menu->FindMarked() : nullptr)
			fMenuBar->ItemAt(0)->SetLabel(marked->Label());
		AddChild(fMenuBar);
	}
	_EnsureBar();
	_PlaceBar();
}

void BMenuField::_EnsureBar()
{
	if (fMenuBar == nullptr) {
		fMenuBar = new MenuFieldBar(BRect(0, 0, 10, 10));
		AddChild(fMenuBar);
	}
	if (fMenuBar->SubmenuAt(0) == nullptr) {
		// A title without a menu (from an archive cut short) is replaced, so that Menu()
		// always has one to give.
		fMenuBar->RemoveItems(0, fMenuBar->CountItems(), true);
		fMenuBar->AddItem(new BPopUpMenu(""));
	}
}

void BMenuField::_PlaceBar()
{
	BRect bounds = Bounds();
	fMenuBar->MoveTo(fDivider, 0);
	fMenuBar->ResizeTo(std::max(0.0f, bounds.Width() - fDivider), bounds.Height());
}

BArchivable* BMenuField::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuField"))
		return nullptr;
	return new BMenuField(archive);
}

status_t BMenuField::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK)
		status = archive->AddInt32("_align", (int32)fAlignment);
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK && fFixedSize)
		status = archive->AddBool("_fixed", true);
	return status;
}

// #pragma mark - hooks

void BMenuField::AttachedToWindow()
{
	// The field blends into what it stands on, as the controls do.
	BPrivate::adopt_parent_colors(this);
}

void BMenuField::AllAttached()
{
	_FitToText();
}

uint32 BMenuField::_LabelFlags() const
{
	return fEnabled ? 0 : StylePainter::kDisabled;
}

void BMenuField::Draw(BRect)
{
	if (!fHasLabel || fDivider <= 0)
		return;
	BRect rect(0, 0, fDivider - 1, Bounds().bottom);
	StylePainter::DrawLabel(this, rect, fLabel.c_str(), fAlignment, _LabelFlags());
}

void BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (fEnabled && numBytes == 1 &&
	    (bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW || bytes[0] == B_UP_ARROW)) {
		fMenuBar->StartMenuBar(0, true, true);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void BMenuField::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	fMenuBar->Invalidate();
}

void BMenuField::WindowActivated(bool active)
{
	// The focus mark shows only in the active window.
	if (IsFocus())
		fMenuBar->Invalidate();
}

void BMenuField::GetPreferredSize(float* width, float* height)
{
	float barWidth, barHeight;
	fMenuBar->GetPreferredSize(&barWidth, &barHeight);
	if (width != nullptr)
		*width = fDivider + barWidth;
	if (height != nullptr)
		*height = barHeight;
}

// #pragma mark - the menu

BMenu* BMenuField::Menu() const
{
	return fMenuBar->SubmenuAt(0);
}

BMenuBar* BMenuField::MenuBar() const
{
	return fMenuBar;
}

BMenuItem* BMenuField::MenuItem() const
{
	return fMenuBar->ItemAt(0);
}

void BMenuField::SetLabel(const char* label)
{
	if (BPrivate::set_optional_label(&fLabel, &fHasLabel, label))
		Invalidate();
}

void BMenuField::SetEnabled(bool on)
{
	if (on == fEnabled)
		return;
	fEnabled = on;
	fMenuBar->SetEnabled(on);
	// A disabled field is skipped by keyboard navigation, as a disabled control is.
	BPrivate::set_navigable_for_enabled(this, on, &fWasNavigable);
	Invalidate();
	fMenuBar->Invalidate();
}

void BMenuField::SetAlignment(alignment label)
{
	fAlignment = label;
	Invalidate();
}

void BMenuField::SetDivider(float position)
{
	if (!std::isfinite(position))
		return;
	fDivider = std::clamp(std::round(position), 0.0f, std::max(0.0f, Bounds().Width()));
	_PlaceBar();
	_FitToText();
	Invalidate();
}

void BMenuField::ShowPopUpMarker()
{
	fMenuBar->SetPopUpMarker(true);
}

void BMenuField::HidePopUpMarker()
{
	fMenuBar->SetPopUpMarker(false);
}

void BMenuField::_FitToText()
{
	if (fFixedSize || fMenuBar == nullptr || Window() == nullptr)
		return;
	float wanted;
	fMenuBar->GetPreferredSize(&wanted, nullptr);
	wanted += fDivider;
	if (wanted <= Bounds().Width())
		return;
	// It grows only as far as its parent reaches.
	float room = Parent() != nullptr ? Parent()->Bounds().right - Frame().left
	                                 : Window()->Bounds().right - Frame().left;
	float width = std::min(wanted, std::max(room, Bounds().Width()));
	ResizeTo(width, Bounds().Height());
	_PlaceBar();
}

B_REGISTER_ARCHIVABLE(BMenuField);
