// TPaletteView is a colour well: a small control that shows one colour as a filled rectangle.
// A single left click sends the control's message to its target; dragging from the well
// carries its colour away as a 'cldp' message; a 'cldp' message dropped on the well (or sent
// to it) sets the well's colour. Clicks and drags are told apart by the gesture manager.
#ifndef T_PALETTE_VIEW_H
#define T_PALETTE_VIEW_H

#include <Control.h>

#include <TMouseDownManager.h>

// The colour message of a drag and a drop: "Color" holds one raw item of four bytes, red,
// green, blue and alpha.
enum : uint32 {
	MSG_COLOR_DROP = 'cldp',
};

class TPaletteView : public BControl, public TMouseDownManager {
public:
	// The well "PaletteView"; it takes the message (which may be null) and starts with the
	// colour 0, 0, 0, 0.
	TPaletteView(BRect frame, BMessage* message);
	~TPaletteView() override;

	rgb_color Color() const { return mColor; }
	// Shows the colour: it becomes the view colour, which the platform fills the well with.
	void SetColor(rgb_color color);

	// A colour message in the form that dragging makes and dropping takes.
	static BMessage ColorMessage(rgb_color color);

	void MessageReceived(BMessage* message) override;
	void AttachedToWindow() override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;

	void MouseClickLeftSingle(BPoint where) override;
	void MouseDragBeginLeft(BPoint downPoint, BPoint where) override;

private:
	rgb_color mColor;
};

#endif
