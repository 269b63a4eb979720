#include "TPaletteView.h"

#include <Message.h>

TPaletteView::TPaletteView(BRect frame, BMessage* message)
    : BControl(frame, "PaletteView", "", message, B_FOLLOW_NONE, B_WILL_DRAW),
      TMouseDownManager(this), mColor{0, 0, 0, 0}
{
}

TPaletteView::~TPaletteView() {}

void TPaletteView::SetColor(rgb_color color)
{
	mColor = color;
	SetViewColor(color);
	Invalidate();
}

BMessage TPaletteView::ColorMessage(rgb_color color)
{
	BMessage message(MSG_COLOR_DROP);
	const uint8 bytes[4] = {color.red, color.green, color.blue, color.alpha};
	message.AddData("Color", B_RAW_TYPE, bytes, sizeof(bytes), true, 1);
	return message;
}

void TPaletteView::MessageReceived(BMessage* message)
{
	if (message->what != MSG_COLOR_DROP) {
		BControl::MessageReceived(message);
		return;
	}
	// Only a raw item of at least four bytes is a colour; anything else that arrives under
	// the code (a drag from another program, a colour of another type) is ignored.
	const void* data = nullptr;
	ssize_t size = 0;
	if (message->FindData("Color", B_RAW_TYPE, &data, &size) != B_OK || size < 4)
		return;
	const uint8* bytes = static_cast<const uint8*>(data);
	SetColor(rgb_color{bytes[0], bytes[1], bytes[2], bytes[3]});
}

void TPaletteView::AttachedToWindow()
{
	// The control's own attach handling is left out on purpose: it would aim the well at the
	// window, and the well's owner decides where its clicks go.
	SetViewColor(mColor);
}

void TPaletteView::MouseDown(BPoint where)
{
	ManageMouseDown(where);
}

void TPaletteView::MouseUp(BPoint where)
{
	ManageMouseUp(where);
}

void TPaletteView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	ManageMouseMoved(where, transit, dragMessage);
}

void TPaletteView::MouseClickLeftSingle(BPoint)
{
	Invoke();
}

void TPaletteView::MouseDragBeginLeft(BPoint, BPoint)
{
	BMessage message = ColorMessage(mColor);
	DragMessage(&message, Bounds());
}
