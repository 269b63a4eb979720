#include <CheckBox.h>

#include <cmath>

#include <Message.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
                     uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
}

BCheckBox::BCheckBox(const char* name, const char* label, BMessage* message, uint32 flags)
    : BControl(name, label, message, flags)
{
}

BCheckBox::BCheckBox(BMessage* archive) : BControl(archive) {}

BCheckBox::~BCheckBox() {}

BArchivable* BCheckBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BCheckBox"))
		return nullptr;
	return new BCheckBox(archive);
}

void BCheckBox::Draw(BRect)
{
	BRect bounds = Bounds();
	uint32 flags = StyleFlags();
	if (Value() != 0)
		flags |= StylePainter::kMarked;
	DrawMark(StylePainter::MarkRect(this, bounds), flags);
	BRect labelRect(bounds.left + LabelOffset(), bounds.top, bounds.right, bounds.bottom);
	StylePainter::DrawLabel(this, labelRect, Label(), B_ALIGN_LEFT,
	                        flags & StylePainter::kDisabled);
}

void BCheckBox::DrawMark(BRect box, uint32 flags)
{
	StylePainter::DrawCheckBox(this, box, flags);
}

float BCheckBox::LabelOffset() const
{
	return StylePainter::kCheckBoxLabelOffset;
}

void BCheckBox::MouseDown(BPoint where)
{
	BeginPress();
}

void BCheckBox::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressMoved(where);
}

void BCheckBox::MouseUp(BPoint where)
{
	if (EndPress(where))
		Toggle();
}

void BCheckBox::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_SPACE) {
		Toggle();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}

void BCheckBox::Toggle()
{
	SetValue(Value() != 0 ? B_CONTROL_OFF : B_CONTROL_ON);
	Invoke();
}

void BCheckBox::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = std::ceil(StringWidth(Label() != nullptr ? Label() : "")) + LabelOffset();
	if (height != nullptr)
		*height = std::max(StylePainter::LineHeight(this) + 4, StylePainter::kCheckMarkSize + 2);
}

B_REGISTER_ARCHIVABLE(BCheckBox);
