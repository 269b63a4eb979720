// A button of a tool bar: an image, a label or both, that is pushed (it sends its message on
// every click) or toggled (it stays on or off), lights up under the pointer and carries a tool
// tip. Toggle buttons can form a radio group: the buttons of one bar between two separators,
// of which one at most is on. A button needs only its base image; the images of the other
// states are derived from it when the button comes into a window.
#ifndef T_TOOL_BUTTON_H
#define T_TOOL_BUTTON_H

#include <vector>

#include <Control.h>

class BBitmap;
class TToolBar;
class TToolTip;

class TToolButton : public BControl {
public:
	enum behavior : uint32 {
		kPushBehavior = 0,
		kToggleBehavior = 1,
	};
	// The drawing states, which also index the images.
	enum state : int32 {
		kStateOff = 0,
		kStateOn = 1,
		kStateDisabledOff = 2,
		kStateDisabledOn = 3,
		kStateHotOff = 4,
		kStateCount = 5,
	};

	// The button takes the image (which may be null) and the message.
	TToolButton(BRect frame, const char* name, BBitmap* image, BMessage* message, uint32 behavior);
	TToolButton(BRect frame, const char* name, BBitmap* image, const char* label, BMessage* message,
	            uint32 behavior);
	~TToolButton() override;

	virtual void SetAlignment(alignment horizontal, vertical_alignment vertical);
	virtual void SetDivider(float divider);
	virtual void SetBehavior(uint32 behavior);
	virtual status_t SetRadioMode(bool on);

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void WindowActivated(bool active) override;
	void GetPreferredSize(float* width, float* height) override;
	void ResizeToPreferred() override;
	void SetLabel(const char* label) override;
	// Any value other than 0 is 1. A radio button that comes on turns its brothers off.
	void SetValue(int32 value) override;

	// The image of a state; the button takes it. Only the base image (index 0) can be set
	// while there is none, and the other states need images of exactly the base image's
	// bounds. 0, or -1 when refused (the bitmap is then still the caller's).
	status_t SetImage(int32 index, BBitmap* image);
	BBitmap* ImageAt(int32 index) const;
	// Makes every missing image of the other states from the base image: 0 when it made one
	// at least, -1 without a base image or when all were there.
	status_t SetDefaultImages();
	// Deletes the images of the other states (they are derived again when needed).
	void ClearImages();
	// New bitmaps of the source's bounds and colour space (32-bit colour spaces only; null
	// otherwise): the filled copy paints every pixel that is not fully transparent in the
	// colour, a silhouette; the transparent copy paints every fully transparent pixel in it.
	static BBitmap* ConvertFilledCopy(const BBitmap* source, rgb_color color);
	static BBitmap* ConvertTransparentCopy(const BBitmap* source, rgb_color color);

	uint32 Behavior() const { return mBehavior; }
	// Refused (-1) for a push button, which cannot be one of a radio group.
	bool IsRadioMode() const { return mRadioMode; }
	void AdjustDivider();
	float Divider() const { return mDivider; }
	void GetAlignment(alignment* horizontal, vertical_alignment* vertical) const;
	// The width that shows the image and the label.
	float MinWidth() const;

	void SetTip(const char* tip);
	const char* Tip() const;
	TToolTip* ToolTip() const { return mToolTip; }

	// The other buttons of the same radio group: those of the same bar between the nearest
	// separators on either side, the left ones first (nearest first), then the right ones.
	void GetBrothers(std::vector<TToolButton*>* brothers) const;
	TToolBar* ToolBar() const { return mToolBar; }

	// Whether the user can work the button: it and its bar are enabled. A disabled bar draws
	// its buttons disabled, so it must not let them be pressed either.
	bool IsUsable() const;
	// The state the button is drawn in now (kStateOff ... kStateHotOff).
	int32 DrawingState() const;
	bool IsHot() const { return mHot; }
	bool IsPressed() const { return mPressed; }

private:
	friend class TToolBar;

	void _Init(BBitmap* image, uint32 behavior);
	void _ComputePoints();
	void _SetHot(bool hot);

	bool mInside;
	bool mPressed;
	bool mHot;
	bool mRadioMode;
	uint32 mBehavior;
	float mDivider;
	alignment mHAlignment;
	vertical_alignment mVAlignment;
	BBitmap* mImages[kStateCount];
	BPoint mImagePoint;
	BPoint mLabelPoint;
	TToolBar* mToolBar;
	TToolTip* mToolTip;
};

#endif
