#include <Control.h>

#include <Message.h>
#include <Window.h>

#include "ControlSupport.h"
#include "StylePainter.h"
#include "ViewColors.h"

using BPrivate::StylePainter;

BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
                   uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags), BInvoker(message, nullptr)
{
	_Init(label);
}

BControl::BControl(const char* name, const char* label, BMessage* message, uint32 flags)
    : BView(name, flags), BInvoker(message, nullptr)
{
	_Init(label);
}

BControl::BControl(BMessage* archive) : BView(archive), BInvoker()
{
	const char* label = nullptr;
	if (archive != nullptr)
		archive->FindString("_label", &label);
	_Init(label);
	if (archive == nullptr)
		return;
	BMessage* message = new BMessage;
	if (archive->FindMessage("_msg", message) == B_OK)
		SetMessage(message);
	else
		delete message;
	fValue = archive->GetInt32("_val", 0);
	if (archive->GetBool("_disable", false))
		SetEnabled(false);
}

BControl::~BControl() {}

void BControl::_Init(const char* label)
{
	fHasLabel = label != nullptr;
	fLabel = label != nullptr ? label : "";
	fValue = 0;
	fEnabled = true;
	fTracking = false;
	fPressInside = false;
	fWasNavigable = (Flags() & B_NAVIGABLE) != 0;
}

BArchivable* BControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BControl"))
		return nullptr;
	return new BControl(archive);
}

status_t BControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && Message() != nullptr)
		status = archive->AddMessage("_msg", Message());
	if (status == B_OK && fValue != 0)
		status = archive->AddInt32("_val", fValue);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	return status;
}

void BControl::AttachedToWindow()
{
	// A control blends into what it stands on.
	BPrivate::adopt_parent_colors(this);
	if (!Messenger().IsValid())
		SetTarget(Window());
}

void BControl::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}

void BControl::MakeFocus(bool focus)
{
	// The window moves the focus before it tells the view that lost it, so the state is
	// already what `focus` says then: the view redraws either way.
	BView::MakeFocus(focus);
	Invalidate();
}

void BControl::WindowActivated(bool active)
{
	// The focus mark shows only in the active window.
	if (IsFocus())
		Invalidate();
}

void BControl::SetLabel(const char* label)
{
	if (BPrivate::set_optional_label(&fLabel, &fHasLabel, label))
		Invalidate();
}

void BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}

void BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	BPrivate::set_navigable_for_enabled(this, enabled, &fWasNavigable);
	Invalidate();
}

status_t BControl::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("be:value", fValue);
	return BInvoker::Invoke(&copy);
}

void BControl::GetPreferredSize(float* width, float* height)
{
	font_height metrics;
	GetFontHeight(&metrics);
	if (width != nullptr)
		*width = std::ceil(StringWidth(fHasLabel ? fLabel.c_str() : "")) + 8;
	if (height != nullptr)
		*height = std::ceil(metrics.ascent + metrics.descent) + 6;
}

uint32 BControl::StyleFlags() const
{
	uint32 flags = 0;
	if (!fEnabled)
		flags |= StylePainter::kDisabled;
	BWindow* window = Window();
	if (IsFocus() && window != nullptr && window->IsActive())
		flags |= StylePainter::kFocused;
	if (fTracking && fPressInside)
		flags |= StylePainter::kPressed;
	return flags;
}

void BControl::BeginPress()
{
	fTracking = true;
	fPressInside = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	Invalidate();
}

void BControl::PressMoved(BPoint where)
{
	if (!fTracking)
		return;
	bool inside = Bounds().Contains(where);
	if (inside != fPressInside) {
		fPressInside = inside;
		Invalidate();
	}
}

bool BControl::EndPress(BPoint where)
{
	if (!fTracking)
		return false;
	fTracking = false;
	fPressInside = false;
	Invalidate();
	return Bounds().Contains(where);
}

B_REGISTER_ARCHIVABLE(BControl);
