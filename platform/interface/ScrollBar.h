// A scroll bar: a value within a range that the user moves with the two arrows (a small step),
// by pressing the track beside the thumb (a large step), by dragging the thumb and with the
// wheel. Holding an arrow or the track repeats the step. Every change of the value goes
// through ValueChanged, which scrolls the target view along the bar's axis; the target's own
// ScrollTo moves the bar back, so the two never disagree.
//
// Values are whole numbers (scroll positions are whole pixels) and always lie in the range.
// The proportion is the visible share of the target (0 to 1; 0 means unknown) and sets the
// length of the thumb. A bar with an empty range, or whose target is visible whole
// (proportion 1), has nothing to scroll: it shows no thumb and its arrows do nothing.
#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <memory>
#include <string>

#include <View.h>

class BMessageRunner;

// The thickness of the platform's scroll bars (bottom - top of a horizontal one).
constexpr float B_V_SCROLL_BAR_WIDTH = 14.0f;
constexpr float B_H_SCROLL_BAR_HEIGHT = 14.0f;

class BScrollBar : public BView {
public:
	BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
	           orientation direction);
	// "_range" (min, max), "_steps" (small, large), "_val", "_prop", "_orient" as Archive
	// writes them; missing or unusable fields keep the defaults. The target is not archived:
	// a scroll view finds it again among its children.
	explicit BScrollBar(BMessage* archive);
	~BScrollBar() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void MouseUp(BPoint where) override;
	void MessageReceived(BMessage* message) override;

	// Called after every change of the value; scrolls the target.
	virtual void ValueChanged(float newValue);

	// Clamped into the range; NaN is ignored.
	void SetValue(float value);
	float Value() const { return fValue; }
	// Clamped into 0 to 1; NaN is ignored.
	void SetProportion(float proportion);
	float Proportion() const { return fProportion; }
	// A maximum below the minimum is raised to it; values that are not finite are ignored.
	// The value is moved into the new range.
	void SetRange(float min, float max);
	void GetRange(float* min, float* max) const;
	// Steps that are negative or not finite are ignored.
	void SetSteps(float smallStep, float largeStep);
	void GetSteps(float* smallStep, float* largeStep) const;

	// The view the bar scrolls. A view has at most one bar of each orientation: a bar that
	// takes a view from another bar leaves that bar without a target. By name, the view is
	// looked up in the window when the bar is attached.
	void SetTarget(BView* target);
	void SetTarget(const char* targetName);
	BView* Target() const { return fTarget; }

	void SetOrientation(orientation direction);
	orientation Orientation() const { return fOrientation; }

	void GetPreferredSize(float* width, float* height) override;

private:
	friend class BView;

	enum Part { kNoPart, kDecrement, kIncrement, kPageBefore, kPageAfter, kThumb };

	void _Init(float min, float max, orientation direction);
	// Whether there is anything to scroll.
	bool _CanScroll() const;
	// Lengths along the bar, in pixels.
	float _Length() const;
	float _ArrowLength() const;
	float _ThumbLength() const;
	float _ThumbStart() const;
	float _Along(BPoint point) const;
	// A rectangle from `from` to `to` along the bar, across the whole bar inset by `inset`.
	BRect _Span(float from, float to, float inset = 0) const;
	Part _PartAt(BPoint where) const;
	// One step of the pressed part; false when the pressed part no longer applies.
	bool _Step(Part part, BPoint where);
	void _StartRepeating();
	void _StopRepeating();
	void _Repeat();
	// Moves by the wheel's notches; false when the value did not change.
	bool _WheelBy(float notches);
	void _DetachFromTarget();

	float fMin;
	float fMax;
	float fValue;
	float fProportion;
	float fSmallStep;
	float fLargeStep;
	orientation fOrientation;
	BView* fTarget;
	std::string fTargetName;

	Part fPressed;
	// Where in the thumb it was grabbed (pixels from its start).
	float fGrabOffset;
	std::unique_ptr<BMessageRunner> fRepeater;
	bool fRepeatStarted;
};

#endif
