#include <ScrollBar.h>

#include <algorithm>
#include <cmath>

#include <Message.h>
#include <MessageRunner.h>
#include <Window.h>

BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
                       orientation direction)
    : BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE | B_FRAME_EVENTS)
{
	_Init(min, max, direction);
	SetTarget(target);
}

BScrollBar::BScrollBar(BMessage* archive) : BView(archive)
{
	int32 direction = archive != nullptr ? archive->GetInt32("_orient", B_VERTICAL) : B_VERTICAL;
	_Init(0, 0, direction == B_HORIZONTAL ? B_HORIZONTAL : B_VERTICAL);
	if (archive == nullptr)
		return;
	float first, second;
	if (archive->FindFloat("_range", 0, &first) == B_OK &&
	    archive->FindFloat("_range", 1, &second) == B_OK)
		SetRange(first, second);
	if (archive->FindFloat("_steps", 0, &first) == B_OK &&
	    archive->FindFloat("_steps", 1, &second) == B_OK)
		SetSteps(first, second);
	if (archive->FindFloat("_prop", &first) == B_OK)
		SetProportion(first);
	if (archive->FindFloat("_val", &first) == B_OK)
		SetValue(first);
}

BScrollBar::~BScrollBar()
{
	_StopRepeating();
	_DetachFromTarget();
}

void BScrollBar::_Init(float min, float max, orientation direction)
{
	fMin = 0;
	fMax = 0;
	fValue = 0;
	fProportion = 0;
	fSmallStep = 1;
	fLargeStep = 10;
	fOrientation = direction;
	fTarget = nullptr;
	fPressed = kNoPart;
	fGrabOffset = 0;
	fRepeatStarted = false;
	SetRange(min, max);
}

BArchivable* BScrollBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BScrollBar"))
		return nullptr;
	return new BScrollBar(archive);
}

status_t BScrollBar::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddFloat("_range", fMin);
	if (status == B_OK)
		status = archive->AddFloat("_range", fMax);
	if (status == B_OK)
		status = archive->AddFloat("_steps", fSmallStep);
	if (status == B_OK)
		status = archive->AddFloat("_steps", fLargeStep);
	if (status == B_OK)
		status = archive->AddFloat("_val", fValue);
	if (status == B_OK)
		status = archive->AddInt32("_orient", (int32)fOrientation);
	if (status == B_OK)
		status = archive->AddFloat("_prop", fProportion);
	return status;
}

// #pragma mark - the model

void BScrollBar::SetValue(float value)
{
	if (std::isnan(value))
		return;
	value = std::round(std::clamp(value, fMin, fMax));
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
	ValueChanged(fValue);
}

void BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == nullptr)
		return;
	BPoint where = fTarget->Bounds().LeftTop();
	if (fOrientation == B_HORIZONTAL)
		where.x = newValue;
	else
		where.y = newValue;
	fTarget->ScrollTo(where);
}

void BScrollBar::SetProportion(float proportion)
{
	if (std::isnan(proportion))
		return;
	proportion = std::clamp(proportion, 0.0f, 1.0f);
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}

void BScrollBar::SetRange(float min, float max)
{
	if (!std::isfinite(min) || !std::isfinite(max))
		return;
	min = std::round(min);
	max = std::max(min, std::round(max));
	if (min != fMin || max != fMax) {
		fMin = min;
		fMax = max;
		Invalidate();
	}
	SetValue(fValue);
}

void BScrollBar::GetRange(float* min, float* max) const
{
	if (min != nullptr)
		*min = fMin;
	if (max != nullptr)
		*max = fMax;
}

void BScrollBar::SetSteps(float smallStep, float largeStep)
{
	if (std::isfinite(smallStep) && smallStep >= 0)
		fSmallStep = smallStep;
	if (std::isfinite(largeStep) && largeStep >= 0)
		fLargeStep = largeStep;
}

void BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != nullptr)
		*smallStep = fSmallStep;
	if (largeStep != nullptr)
		*largeStep = fLargeStep;
}

bool BScrollBar::_CanScroll() const
{
	return fMax > fMin && fProportion < 1;
}

// #pragma mark - the target

void BScrollBar::_DetachFromTarget()
{
	if (fTarget == nullptr)
		return;
	BScrollBar*& slot =
	    fOrientation == B_HORIZONTAL ? fTarget->fHorScroller : fTarget->fVerScroller;
	if (slot == this)
		slot = nullptr;
	fTarget = nullptr;
}

void BScrollBar::SetTarget(BView* target)
{
	fTargetName.clear();
	if (target == fTarget)
		return;
	_DetachFromTarget();
	if (target == nullptr || target == this)
		return;
	BScrollBar*& slot = fOrientation == B_HORIZONTAL ? target->fHorScroller : target->fVerScroller;
	if (slot != nullptr)
		slot->fTarget = nullptr;
	slot = this;
	fTarget = target;
}

void BScrollBar::SetTarget(const char* targetName)
{
	if (targetName == nullptr) {
		SetTarget((BView*)nullptr);
		return;
	}
	std::string name = targetName;
	BWindow* window = Window();
	BView* found = window != nullptr ? window->FindView(targetName) : nullptr;
	SetTarget(found);
	// Not in the window yet: the name is kept until the bar is attached.
	if (found == nullptr)
		fTargetName = name;
}

void BScrollBar::AttachedToWindow()
{
	if (!fTargetName.empty())
		SetTarget(fTargetName.c_str());
}

void BScrollBar::SetOrientation(orientation direction)
{
	if (direction == fOrientation)
		return;
	BView* target = fTarget;
	_DetachFromTarget();
	fOrientation = direction;
	SetTarget(target);
	Invalidate();
}

void BScrollBar::GetPreferredSize(float* width, float* height)
{
	BRect frame = Frame();
	if (width != nullptr)
		*width = fOrientation == B_VERTICAL ? B_V_SCROLL_BAR_WIDTH : frame.Width();
	if (height != nullptr)
		*height = fOrientation == B_HORIZONTAL ? B_H_SCROLL_BAR_HEIGHT : frame.Height();
}

B_REGISTER_ARCHIVABLE(BScrollBar);
