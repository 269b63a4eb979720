// The base of every control: a view with a label, a value and an enabled state that sends
// its message to its target when the user works it. SetValue only changes and redraws the
// value; only the user's input and Invoke() send the message, so a program that sets a value
// hears nothing back.
//
// Attached to a window, a control whose target is unset aims at the window. A disabled
// control takes no input (the window drops it) and draws dimmed.
#ifndef _CONTROL_H
#define _CONTROL_H

#include <string>

#include <Invoker.h>
#include <View.h>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1,
	B_CONTROL_PARTIALLY_ON = 2,
};

class BControl : public BView, public BInvoker {
public:
	BControl(BRect frame, const char* name, const char* label, BMessage* message,
	         uint32 resizingMode, uint32 flags);
	BControl(const char* name, const char* label, BMessage* message, uint32 flags);
	// "_label", "_msg", "_val", "_disable" as Archive writes them.
	explicit BControl(BMessage* archive);
	~BControl() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void MessageReceived(BMessage* message) override;
	void MakeFocus(bool focus = true) override;
	void WindowActivated(bool active) override;

	virtual void SetLabel(const char* label);
	const char* Label() const { return fHasLabel ? fLabel.c_str() : nullptr; }

	virtual void SetValue(int32 value);
	int32 Value() const { return fValue; }
	// Sets the value without redrawing.
	void SetValueNoUpdate(int32 value) { fValue = value; }

	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const { return fEnabled; }

	// Sends the message (or the given one) with "when", "source" (this control) and
	// "be:value" added; B_BAD_VALUE without a message.
	status_t Invoke(BMessage* message = nullptr) override;

	void GetPreferredSize(float* width, float* height) override;

protected:
	// A press held on the control: it draws pressed while the pointer stays inside, and the
	// release says whether the press ended inside (a click) or outside (taken back).
	void BeginPress();
	void PressMoved(BPoint where);
	// False when no press was held or the pointer was released outside.
	bool EndPress(BPoint where);
	bool IsTracking() const { return fTracking; }
	// The state flags of the style painter (disabled, focused, pressed inside, ...) for
	// drawing now.
	uint32 StyleFlags() const;

private:
	void _Init(const char* label);

	std::string fLabel;
	bool fHasLabel;
	int32 fValue;
	bool fEnabled;
	bool fTracking;
	bool fPressInside;
	// Whether the control was navigable before it was disabled (a disabled control is
	// skipped by keyboard navigation).
	bool fWasNavigable;
};

#endif
