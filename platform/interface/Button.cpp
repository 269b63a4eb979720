#include <Button.h>

#include <cmath>

#include <Message.h>
#include <Window.h>

#include "StylePainter.h"
#include "WindowPrivate.h"

using BPrivate::StylePainter;

namespace {

// Enter reaching no view that wants it clicks the window's default button.
void click_default(BButton* button)
{
	if (button->IsEnabled())
		button->Invoke();
}

struct DefaultButtonHookInstaller {
	DefaultButtonHookInstaller() { BPrivate::gDefaultButtonHook = click_default; }
} sInstaller;

} // namespace

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
                 uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags), fDefault(false)
{
}

BButton::BButton(const char* name, const char* label, BMessage* message, uint32 flags)
    : BControl(name, label, message, flags), fDefault(false)
{
}

BButton::BButton(BMessage* archive)
    : BControl(archive), fDefault(archive != nullptr && archive->GetBool("_default", false))
{
}

BButton::~BButton() {}

BArchivable* BButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BButton"))
		return nullptr;
	return new BButton(archive);
}

status_t BButton::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK && IsDefault())
		status = archive->AddBool("_default", true);
	return status;
}

void BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	// A button archived as the default one becomes its window's default again.
	if (fDefault)
		Window()->SetDefaultButton(this);
}

void BButton::Draw(BRect)
{
	uint32 flags = StyleFlags();
	if (IsDefault())
		flags |= StylePainter::kDefault;
	if (Value() != 0)
		flags |= StylePainter::kPressed;
	BRect bounds = Bounds();
	StylePainter::DrawButton(this, bounds, flags);
	StylePainter::DrawButtonLabel(this, bounds, Label(), flags);
}

void BButton::MouseDown(BPoint where)
{
	BeginPress();
}

void BButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	PressMoved(where);
}

void BButton::MouseUp(BPoint where)
{
	// Released outside, the press is taken back.
	if (EndPress(where))
		Invoke();
}

void BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		_Click();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}

void BButton::_Click()
{
	SetValue(1);
	if (BWindow* window = Window())
		window->UpdateIfNeeded();
	SetValue(0);
	Invoke();
}

void BButton::MakeDefault(bool flag)
{
	BWindow* window = Window();
	fDefault = flag;
	if (window == nullptr)
		return;
	if (flag)
		window->SetDefaultButton(this);
	else if (window->DefaultButton() == this)
		window->SetDefaultButton(nullptr);
}

bool BButton::IsDefault() const
{
	BWindow* window = Window();
	return window != nullptr ? window->DefaultButton() == this : fDefault;
}

void BButton::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = std::ceil(StringWidth(Label() != nullptr ? Label() : "")) + 24;
	if (height != nullptr)
		*height = StylePainter::LineHeight(this) + 12;
}

// The window keeps the pointer; the buttons redraw to show which one is the default.
void BWindow::SetDefaultButton(BButton* button)
{
	if (button == fDefaultButton)
		return;
	BButton* previous = fDefaultButton;
	fDefaultButton = button;
	if (previous != nullptr)
		previous->Invalidate();
	if (button != nullptr)
		button->Invalidate();
}

B_REGISTER_ARCHIVABLE(BButton);
