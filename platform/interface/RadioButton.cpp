#include <RadioButton.h>

#include <Message.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

BRadioButton::BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
                           uint32 resizingMode, uint32 flags)
    : BCheckBox(frame, name, label, message, resizingMode, flags)
{
}

BRadioButton::BRadioButton(const char* name, const char* label, BMessage* message, uint32 flags)
    : BCheckBox(name, label, message, flags)
{
}

BRadioButton::BRadioButton(BMessage* archive) : BCheckBox(archive) {}

BRadioButton::~BRadioButton() {}

BArchivable* BRadioButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BRadioButton"))
		return nullptr;
	return new BRadioButton(archive);
}

void BRadioButton::SetValue(int32 value)
{
	value = value != 0 ? B_CONTROL_ON : B_CONTROL_OFF;
	if (value == Value())
		return;
	BCheckBox::SetValue(value);
	if (value == B_CONTROL_OFF)
		return;
	// Siblings, also among a window's top-level views (which have no parent view).
	for (BView* sibling = PreviousSibling(); sibling != nullptr; sibling = sibling->PreviousSibling()) {
		if (BRadioButton* radio = dynamic_cast<BRadioButton*>(sibling))
			radio->SetValue(B_CONTROL_OFF);
	}
	for (BView* sibling = NextSibling(); sibling != nullptr; sibling = sibling->NextSibling()) {
		if (BRadioButton* radio = dynamic_cast<BRadioButton*>(sibling))
			radio->SetValue(B_CONTROL_OFF);
	}
}

void BRadioButton::Toggle()
{
	// A chosen radio button stays chosen; choosing it again sends nothing.
	if (Value() != 0)
		return;
	SetValue(B_CONTROL_ON);
	Invoke();
}

float BRadioButton::LabelOffset() const
{
	return StylePainter::kRadioLabelOffset;
}

void BRadioButton::DrawMark(BRect box, uint32 flags)
{
	StylePainter::DrawRadioButton(this, box, flags);
}

B_REGISTER_ARCHIVABLE(BRadioButton);
