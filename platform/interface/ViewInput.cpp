// The input side of BView: the focus, the pointer and event masks, and dragging.
#include <View.h>

#include <algorithm>

#include <Bitmap.h>
#include <Message.h>
#include <Window.h>

#include "Desktop.h"
#include "ViewHost.h"
#include "WindowPrivate.h"

using BPrivate::Desktop;

bool BView::IsFocus() const
{
	BWindow* window = Window();
	return window != nullptr && window->CurrentFocus() == this;
}

void BView::MakeFocus(bool focus)
{
	BWindow* window = Window();
	if (window == nullptr)
		return;
	if (focus) {
		if (window->fFocus == this)
			return;
		BView* previous = window->fFocus;
		// The new focus is in place before the old one hears it lost the focus, so that an
		// override of MakeFocus(false) cannot take it back by accident.
		window->_SetFocus(this);
		if (previous != nullptr)
			previous->MakeFocus(false);
	} else if (window->fFocus == this) {
		window->_SetFocus(nullptr);
	}
}

void BView::GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue)
{
	float x = 0, y = 0;
	uint32 held = 0;
	if (Desktop* desktop = Desktop::Current())
		desktop->Backend()->GetPointer(&x, &y, &held);
	if (location != nullptr)
		*location = ConvertFromScreen(BPoint(x, y));
	if (buttons != nullptr)
		*buttons = held;
}

status_t BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	BWindow* window = Window();
	if (window == nullptr)
		return B_ERROR;
	// Only for the press in progress: the window already sends its pointer events here
	// until the buttons are up; the mask just says so.
	fMouseEventMask = mask;
	if ((mask & B_POINTER_EVENTS) != 0 && window->fButtons != 0 &&
	    window->_ViewFor(window->fGrabViewToken) == nullptr)
		window->fGrabViewToken = Token();
	return B_OK;
}

status_t BView::SetEventMask(uint32 mask, uint32 options)
{
	fEventMask = mask;
	BWindow* window = Window();
	if (window == nullptr)
		return B_OK;
	std::vector<int32>& listeners = window->fPointerListeners;
	auto it = std::find(listeners.begin(), listeners.end(), Token());
	if ((mask & B_POINTER_EVENTS) != 0 && it == listeners.end())
		listeners.push_back(Token());
	else if ((mask & B_POINTER_EVENTS) == 0 && it != listeners.end())
		listeners.erase(it);
	return B_OK;
}

void BView::DragMessage(BMessage* message, BRect dragRect, BHandler* replyTo)
{
	BWindow* window = Window();
	if (message == nullptr || window == nullptr)
		return;
	Desktop::Current()->StartDrag(BPrivate::WindowAccess::BackendId(window), *message,
	                              ConvertToScreen(dragRect));
}

void BView::DragMessage(BMessage* message, BBitmap* image, BPoint offset, BHandler* replyTo)
{
	DragMessage(message, image, B_OP_COPY, offset, replyTo);
}

void BView::DragMessage(BMessage* message, BBitmap* image, drawing_mode, BPoint offset,
                        BHandler* replyTo)
{
	// The view takes the image; the drag is shown by the pointer alone.
	BRect rect = image != nullptr ? image->Bounds() : BRect(0, 0, 0, 0);
	delete image;
	BPoint where;
	GetMouse(&where, nullptr, false);
	DragMessage(message, rect.OffsetToCopy(where - offset), replyTo);
}
