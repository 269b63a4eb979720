#include "TSeparatorButton.h"

#include "ToolBarColors.h"

TSeparatorButton::TSeparatorButton(float height)
    : TToolButton(BRect(0, 0, kWidth, height), "", nullptr, "", nullptr, kPushBehavior)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	ResizeTo(kWidth, height);
}

TSeparatorButton::~TSeparatorButton() {}

void TSeparatorButton::AttachedToWindow()
{
	// The colours stay as they were made: the separator stands on the bar's own face.
}

void TSeparatorButton::Draw(BRect)
{
	BRect bounds = Bounds();
	SetHighColor(COLOR_DARK_BORDER);
	StrokeLine(BPoint(4, bounds.top), BPoint(4, bounds.bottom));
	SetHighColor(COLOR_BRIGHT_BORDER);
	StrokeLine(BPoint(5, bounds.top), BPoint(5, bounds.bottom));
}

void TSeparatorButton::MouseDown(BPoint) {}

void TSeparatorButton::MouseUp(BPoint) {}

void TSeparatorButton::MouseMoved(BPoint, uint32, const BMessage*) {}
