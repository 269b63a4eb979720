// A check box: a mark that the user turns on and off (a click released inside it, Space while
// it has the focus), with its label to the right. Each change invokes its message.
#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

class BCheckBox : public BControl {
public:
	BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
	          uint32 resizingMode = B_FOLLOW_LEFT_TOP, uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BCheckBox(const char* name, const char* label, BMessage* message,
	          uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	explicit BCheckBox(BMessage* archive);
	~BCheckBox() override;

	static BArchivable* Instantiate(BMessage* archive);

	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void MouseUp(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;

	void GetPreferredSize(float* width, float* height) override;

protected:
	// What a completed press does: a check box toggles, a radio button turns on.
	virtual void Toggle();
	// The mark's offset before the label.
	virtual float LabelOffset() const;
	virtual void DrawMark(BRect box, uint32 flags);
};

#endif
