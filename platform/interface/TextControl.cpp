#include <TextControl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

namespace {

// The text view lies inside the field's border and its focus ring.
constexpr float kFieldBorder = 2;
// The label ends this far before the divider.
constexpr float kLabelGap = 3;
// How wide a field should be for a text of this many digits, when nothing else says.
const char* const kPreferredSample = "0000000000";

bool valid_alignment(int32 align)
{
	return align == B_ALIGN_LEFT || align == B_ALIGN_RIGHT || align == B_ALIGN_CENTER;
}

} // namespace

BTextControl::BTextControl(BRect frame, const char* name, const char* label, const char* text,
                           BMessage* message, uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags), fText(nullptr),
      fModificationMessage(nullptr), fLabelAlign(B_ALIGN_LEFT), fDivider(0)
{
	fDivider = _FittedDivider();
	_InitText(text);
}

BTextControl::BTextControl(const char* name, const char* label, const char* text, BMessage* message,
                           uint32 flags)
    : BControl(name, label, message, flags), fText(nullptr), fModificationMessage(nullptr),
      fLabelAlign(B_ALIGN_LEFT), fDivider(0)
{
	fDivider = _FittedDivider();
	_InitText(text);
}

BTextControl::BTextControl(BMessage* archive)
    : BControl(archive), fText(nullptr), fModificationMessage(nullptr), fLabelAlign(B_ALIGN_LEFT),
      fDivider(0)
{
	float divider = archive != nullptr ? archive->GetFloat("_divide", -1) : -1;
	fDivider = std::isfinite(divider) && divider >= 0 ? divider : _FittedDivider();
	int32 align = archive != nullptr ? archive->GetInt32("_align", 0, B_ALIGN_LEFT) : 0;
	if (valid_alignment(align))
		fLabelAlign = (alignment)align;
	BMessage* modification = new BMessage;
	if (archive != nullptr && archive->FindMessage("_mod_msg", modification) == B_OK)
		fModificationMessage = modification;
	else
		delete modification;

	// The archive's own children were rebuilt already; the field is one of them.
	_InitText(nullptr);
	int32 textAlign;
	if (archive != nullptr && archive->FindInt32("_align", 1, &textAlign) == B_OK &&
	    valid_alignment(textAlign))
		fText->SetAlignment((alignment)textAlign);
	_ApplyEnabled();
}

BTextControl::~BTextControl()
{
	if (fText != nullptr && fText->Parent() == this)
		fText->fControl = nullptr;
	delete fModificationMessage;
}

void BTextControl::_InitText(const char* text)
{
	for (int32 i = 0; i < CountChildren() && fText == nullptr; i++) {
		BView* child = ChildAt(i);
		if (child->Name() != nullptr && strcmp(child->Name(), "_input_") == 0)
			fText = dynamic_cast<BTextView*>(child);
	}
	if (fText == nullptr) {
		fText = new BTextView(BRect(0, 0, 10, 10), "_input_", BRect(0, 0, 10, 10), B_FOLLOW_ALL,
		                      B_WILL_DRAW | B_NAVIGABLE);
		BFont font;
		GetFont(&font);
		fText->SetFont(&font);
		fText->SetText(text);
		// First, so that an archive lists the field as the control's first child.
		AddChild(fText, ChildAt(0));
	}
	fText->fSingleLine = true;
	fText->fControl = this;
	// The field is where the keyboard navigation stops, not the control around it.
	if ((Flags() & B_NAVIGABLE) != 0) {
		SetFlags(Flags() & ~B_NAVIGABLE);
		fText->SetFlags(fText->Flags() | B_NAVIGABLE);
	}
	_LayoutTextView();
}

BArchivable* BTextControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextControl"))
		return nullptr;
	return new BTextControl(archive);
}

status_t BTextControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK && fModificationMessage != nullptr)
		status = archive->AddMessage("_mod_msg", fModificationMessage);
	if (status == B_OK)
		status = archive->AddInt32("_align", fLabelAlign);
	if (status == B_OK)
		status = archive->AddInt32("_align", fText->Alignment());
	return status;
}

// #pragma mark - geometry

float BTextControl::_FittedDivider() const
{
	const char* label = Label();
	if (label == nullptr || *label == '\0')
		return 0;
	return std::ceil(StringWidth(label)) + 5;
}

BRect BTextControl::_FieldRect() const
{
	BRect bounds = Bounds();
	float left = std::clamp(fDivider, bounds.left, std::max(bounds.left, bounds.right - 6));
	return BRect(left, bounds.top, bounds.right, bounds.bottom);
}

void BTextControl::_LayoutTextView()
{
	BRect frame = _FieldRect().InsetByCopy(kFieldBorder, kFieldBorder);
	frame.right = std::max(frame.right, frame.left);
	frame.bottom = std::max(frame.bottom, frame.top);
	fText->MoveTo(frame.LeftTop());
	fText->ResizeTo(frame.Width(), frame.Height());
	// The text starts the style painter's inset from the field's frame.
	float inset = StylePainter::kTextInset - kFieldBorder;
	fText->SetTextRect(BRect(inset, 0, frame.Width() - inset, frame.Height()));
}

void BTextControl::SetDivider(float position)
{
	if (!std::isfinite(position))
		return;
	fDivider = std::max(position, 0.0f);
	_LayoutTextView();
	Invalidate();
}

void BTextControl::SetAlignment(alignment label, alignment text)
{
	if (valid_alignment(label))
		fLabelAlign = label;
	fText->SetAlignment(text);
	Invalidate();
}

void BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != nullptr)
		*label = fLabelAlign;
	if (text != nullptr)
		*text = fText->Alignment();
}

void BTextControl::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr) {
		float text = std::max(fText->StringWidth(Text()), fText->StringWidth(kPreferredSample));
		*width = _FittedDivider() + std::ceil(text) + 2 * StylePainter::kTextInset + 1;
	}
	// The style painter's inset and two pixels of room above and below the line: 22 for a
	// font of 12 pixels, the height of the application's archived fields.
	if (height != nullptr)
		*height = fText->LineHeight() + 2 * (StylePainter::kTextInset + 2);
}

// #pragma mark - drawing and input

void BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	_ApplyEnabled();
}

void BTextControl::Draw(BRect)
{
	uint32 flags = StyleFlags();
	BWindow* window = Window();
	if (fText->IsFocus() && window != nullptr && window->IsActive())
		flags |= StylePainter::kFocused;
	BRect field = _FieldRect();
	StylePainter::DrawTextField(this, field, flags);
	BRect labelRect(0, field.top, std::max(fDivider - kLabelGap, 0.0f), field.bottom);
	StylePainter::DrawLabel(this, labelRect, Label(), fLabelAlign, flags & StylePainter::kDisabled);
}

void BTextControl::MouseDown(BPoint where)
{
	// The label and the field's border lead to the text, as a keyboard step there would.
	fText->MakeFocus(true);
}

void BTextControl::MakeFocus(bool focus)
{
	fText->MakeFocus(focus);
}

void BTextControl::WindowActivated(bool active)
{
	if (fText->IsFocus())
		Invalidate();
}

void BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	_ApplyEnabled();
}

void BTextControl::_ApplyEnabled()
{
	// A disabled field takes no input (the text view checks its control) and is no stop of
	// the keyboard navigation.
	bool enabled = IsEnabled();
	if (!enabled && fText->IsFocus())
		fText->MakeFocus(false);
	uint32 flags = fText->Flags();
	fText->SetFlags(enabled ? (flags | B_NAVIGABLE) : (flags & ~B_NAVIGABLE));
	fText->SetViewColor(StylePainter::FieldColor(enabled ? 0 : StylePainter::kDisabled));
	fText->Invalidate();
}

// #pragma mark - text

void BTextControl::SetText(const char* text)
{
	fText->SetText(text);
}

const char* BTextControl::Text() const
{
	return fText->Text();
}

int32 BTextControl::TextLength() const
{
	return fText->TextLength();
}

void BTextControl::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}

void BTextControl::_TextModified()
{
	if (fModificationMessage != nullptr)
		Invoke(fModificationMessage);
}

bool BTextControl::_TextEntered()
{
	if (Message() == nullptr)
		return false;
	fCommittedText = Text();
	Invoke();
	return true;
}

void BTextControl::_TextFocusChanged(bool focused)
{
	Invalidate();
	if (focused) {
		fCommittedText = Text();
		return;
	}
	if (fCommittedText != Text()) {
		fCommittedText = Text();
		Invoke();
	}
}

B_REGISTER_ARCHIVABLE(BTextControl);
