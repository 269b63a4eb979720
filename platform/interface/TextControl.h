// A labelled one-line text field: the label left of the divider, and right of it a sunken
// field holding a BTextView named "_input_" (TextView()), which takes the focus, the keys and
// the clicks. Line breaks typed or pasted into it become spaces.
//
// The modification message goes to the target once for every change of the text: a typed or
// deleted character, a cut, a paste, an undo, typing over a selection (one message for the
// whole change), and also a text set by the program with SetText. The control's own message
// (SetMessage) is sent when Enter is pressed in the field, and when the field loses the focus
// with a text other than the one it had when it got the focus (or when Enter was last pressed).
// A field without a message lets Enter go on to the window's default button.
#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <string>

#include <Control.h>

class BTextView;

class BTextControl : public BControl {
public:
	BTextControl(BRect frame, const char* name, const char* label, const char* text,
	             BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	             uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BTextControl(const char* name, const char* label, const char* text, BMessage* message,
	             uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// Also "_divide" (the divider), "_mod_msg" (the modification message) and "_align" (the
	// label's alignment, then the text's); the text view comes back from "_views" and is found
	// again by its name.
	explicit BTextControl(BMessage* archive);
	~BTextControl() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MakeFocus(bool focus = true) override;
	void WindowActivated(bool active) override;
	void SetEnabled(bool enabled) override;
	void GetPreferredSize(float* width, float* height) override;

	virtual void SetText(const char* text);
	const char* Text() const;
	int32 TextLength() const;

	// The control takes the message.
	virtual void SetModificationMessage(BMessage* message);
	BMessage* ModificationMessage() const { return fModificationMessage; }

	virtual void SetAlignment(alignment label, alignment text);
	void GetAlignment(alignment* label, alignment* text) const;
	// Where the field starts, in the control's coordinates.
	virtual void SetDivider(float position);
	float Divider() const { return fDivider; }

	BTextView* TextView() const { return fText; }

private:
	friend class BTextView;

	void _InitText(const char* text);
	void _LayoutTextView();
	void _ApplyEnabled();
	BRect _FieldRect() const;
	float _FittedDivider() const;

	// From the text view.
	void _TextModified();
	bool _TextEntered();
	void _TextFocusChanged(bool focused);

	BTextView* fText;
	BMessage* fModificationMessage;
	alignment fLabelAlign;
	float fDivider;
	// The text when the field got the focus or Enter was last pressed.
	std::string fCommittedText;
};

#endif
