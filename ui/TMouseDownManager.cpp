#include "TMouseDownManager.h"

#include <Message.h>
#include <View.h>
#include <Window.h>

TMouseDownManager::TMouseDownManager(BView* view)
    : mDragging(false), mButtons(0), mClicks(0), mDownPoint(0, 0), mView(view)
{
}

TMouseDownManager::~TMouseDownManager() {}

void TMouseDownManager::MouseClickLeftDouble(BPoint) {}
void TMouseDownManager::MouseClickLeftSingle(BPoint) {}
void TMouseDownManager::MouseClickRightDouble(BPoint) {}
void TMouseDownManager::MouseClickRightSingle(BPoint) {}
void TMouseDownManager::MouseDownLeft(BPoint) {}
void TMouseDownManager::MouseDownRight(BPoint) {}
void TMouseDownManager::MouseDragBeginLeft(BPoint, BPoint) {}
void TMouseDownManager::MouseDragBeginRight(BPoint, BPoint) {}
void TMouseDownManager::MouseDragEndLeft(BPoint, BPoint) {}
void TMouseDownManager::MouseDragEndRight(BPoint, BPoint) {}
void TMouseDownManager::MouseDraggingLeft(BPoint, BPoint) {}
void TMouseDownManager::MouseDraggingRight(BPoint, BPoint) {}
void TMouseDownManager::MouseUpLeft(BPoint) {}
void TMouseDownManager::MouseUpRight(BPoint) {}

void TMouseDownManager::ManageMouseDown(BPoint where)
{
	mDragging = false;
	mButtons = 0;
	mClicks = 0;
	BWindow* window = mView != nullptr ? mView->Window() : nullptr;
	if (BMessage* current = window != nullptr ? window->CurrentMessage() : nullptr) {
		current->FindInt32("buttons", &mButtons);
		current->FindInt32("clicks", &mClicks);
	}
	mDownPoint = where;
	// The first press of a series (1, 4, 7 ...) reports a press; the others only count.
	if (mClicks % 3 == 1) {
		if (mButtons == B_PRIMARY_MOUSE_BUTTON)
			MouseDownLeft(where);
		else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
			MouseDownRight(where);
	}
	if (mView != nullptr)
		mView->SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void TMouseDownManager::ManageMouseMoved(BPoint where, uint32, const BMessage*)
{
	if (mButtons == 0)
		return;
	if (!mDragging) {
		float dx = where.x - mDownPoint.x;
		float dy = where.y - mDownPoint.y;
		if (dx * dx + dy * dy <= kDragThresholdSquared)
			return;
		mDragging = true;
		if (mButtons == B_PRIMARY_MOUSE_BUTTON)
			MouseDragBeginLeft(mDownPoint, where);
		else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
			MouseDragBeginRight(mDownPoint, where);
	}
	if (mButtons == B_PRIMARY_MOUSE_BUTTON)
		MouseDraggingLeft(mDownPoint, where);
	else if (mButtons == B_SECONDARY_MOUSE_BUTTON)
		MouseDraggingRight(mDownPoint, where);
}

void TMouseDownManager::ManageMouseUp(BPoint where)
{
	if (mButtons == 0)
		return;
	int32 buttons = mButtons;
	int32 clicks = mClicks;
	// Cleared first, and nothing of the object is read after the hooks: a hook may start
	// another press, or delete the view.
	mButtons = 0;
	bool dragging = mDragging;
	mDragging = false;
	if (dragging) {
		if (buttons == B_PRIMARY_MOUSE_BUTTON)
			MouseDragEndLeft(mDownPoint, where);
		else if (buttons == B_SECONDARY_MOUSE_BUTTON)
			MouseDragEndRight(mDownPoint, where);
	} else {
		switch (clicks % 3) {
		case 1:
			if (buttons == B_PRIMARY_MOUSE_BUTTON)
				MouseClickLeftSingle(where);
			else if (buttons == B_SECONDARY_MOUSE_BUTTON)
				MouseClickRightSingle(where);
			break;
		case 2:
			if (buttons == B_PRIMARY_MOUSE_BUTTON)
				MouseClickLeftDouble(where);
			else if (buttons == B_SECONDARY_MOUSE_BUTTON)
				MouseClickRightDouble(where);
			break;
		default:
			break;
		}
	}
	if (clicks % 3 == 1) {
		if (buttons == B_PRIMARY_MOUSE_BUTTON)
			MouseUpLeft(where);
		else if (buttons == B_SECONDARY_MOUSE_BUTTON)
			MouseUpRight(where);
	}
}

bool TMouseDownManager::IsMouseDraggingLeft() const
{
	return mDragging && mButtons == B_PRIMARY_MOUSE_BUTTON;
}

bool TMouseDownManager::IsMouseDraggingRight() const
{
	return mDragging && mButtons == B_SECONDARY_MOUSE_BUTTON;
}
