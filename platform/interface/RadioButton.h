// A radio button: one of the radio buttons that share a parent view is on at a time. Turning
// one on (by the user or by SetValue) turns its siblings off; the user's choice invokes the
// chosen button's message.
#ifndef _RADIO_BUTTON_H
#define _RADIO_BUTTON_H

#include <CheckBox.h>

class BRadioButton : public BCheckBox {
public:
	BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
	             uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	             uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BRadioButton(const char* name, const char* label, BMessage* message,
	             uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	explicit BRadioButton(BMessage* archive);
	~BRadioButton() override;

	static BArchivable* Instantiate(BMessage* archive);

	void SetValue(int32 value) override;

protected:
	void Toggle() override;
	float LabelOffset() const override;
	void DrawMark(BRect box, uint32 flags) override;
};

#endif
