// A push button: pressing it with the pointer (released inside), Space while it has the
// focus, Enter when it is the window's default button, all invoke its message. The default
// button is drawn with a ring of its own.
#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

class BButton : public BControl {
public:
	BButton(BRect frame, const char* name, const char* label, BMessage* message,
	        uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	        uint32 flags = B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE);
	BButton(const char* name, const char* label, BMessage* message,
	        uint32 flags = B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE);
	// Also "_default".
	explicit BButton(BMessage* archive);
	~BButton() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void MouseUp(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;

	// Makes this the window's default button (or no longer).
	virtual void MakeDefault(bool flag);
	bool IsDefault() const;

	void GetPreferredSize(float* width, float* height) override;

private:
	// Shown pressed, then released and invoked.
	void _Click();

	bool fDefault;
};

#endif
