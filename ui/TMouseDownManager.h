// TMouseDownManager turns a view's raw mouse-down, mouse-moved and mouse-up events into left
// and right presses, single and double clicks, and drags with a beginning, a running update
// and an end. A view routes its mouse hooks into ManageMouseDown, ManageMouseMoved and
// ManageMouseUp and overrides the gesture hooks it cares about.
//
// Only a press of exactly the primary button ("left") or exactly the secondary one ("right")
// produces hooks; other combinations are tracked without any. Every press hook has exactly one
// release hook, and a triple click's third press produces nothing.
#ifndef T_MOUSE_DOWN_MANAGER_H
#define T_MOUSE_DOWN_MANAGER_H

#include <Point.h>
#include <SupportDefs.h>

class BMessage;
class BView;

class TMouseDownManager {
public:
	explicit TMouseDownManager(BView* view);
	virtual ~TMouseDownManager();

	virtual void MouseClickLeftDouble(BPoint where);
	virtual void MouseClickLeftSingle(BPoint where);
	virtual void MouseClickRightDouble(BPoint where);
	virtual void MouseClickRightSingle(BPoint where);
	virtual void MouseDownLeft(BPoint where);
	virtual void MouseDownRight(BPoint where);
	virtual void MouseDragBeginLeft(BPoint downPoint, BPoint where);
	virtual void MouseDragBeginRight(BPoint downPoint, BPoint where);
	virtual void MouseDragEndLeft(BPoint downPoint, BPoint where);
	virtual void MouseDragEndRight(BPoint downPoint, BPoint where);
	virtual void MouseDraggingLeft(BPoint downPoint, BPoint where);
	virtual void MouseDraggingRight(BPoint downPoint, BPoint where);
	virtual void MouseUpLeft(BPoint where);
	virtual void MouseUpRight(BPoint where);

	void ManageMouseDown(BPoint where);
	void ManageMouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	void ManageMouseUp(BPoint where);

	bool IsMouseDraggingLeft() const;
	bool IsMouseDraggingRight() const;

	// A press moves more than this far (squared, in pixels) before it counts as a drag.
	static constexpr float kDragThresholdSquared = 16;

private:
	bool mDragging;
	int32 mButtons;
	int32 mClicks;
	BPoint mDownPoint;
	BView* mView;
};

#endif
