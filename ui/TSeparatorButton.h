// The gap between two groups of buttons on a tool bar: a grooved vertical line that also ends
// a radio group, so the buttons on its two sides do not turn each other off.
#ifndef T_SEPARATOR_BUTTON_H
#define T_SEPARATOR_BUTTON_H

#include "TToolButton.h"

class TSeparatorButton : public TToolButton {
public:
	explicit TSeparatorButton(float height);
	~TSeparatorButton() override;

	// A separator has no images to derive and no tip to show.
	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	// It cannot be pressed.
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;

	static constexpr float kWidth = 8;
};

#endif
