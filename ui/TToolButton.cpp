#include "TToolButton.h"

#include <algorithm>
#include <cmath>

#include <Bitmap.h>
#include <Window.h>

#include "TSeparatorButton.h"
#include "TToolBar.h"
#include "TToolTip.h"
#include "ToolBarColors.h"

namespace {

// The space around the image and the label, and between them.
const float kMargin = 3;
const float kGap = 6;

} // namespace

TToolButton::TToolButton(BRect frame, const char* name, BBitmap* image, BMessage* message,
                         uint32 behavior)
    : BControl(frame, name, "", message, B_FOLLOW_LEFT_TOP, B_WILL_DRAW)
{
	_Init(image, behavior);
}

TToolButton::TToolButton(BRect frame, const char* name, BBitmap* image, const char* label,
                         BMessage* message, uint32 behavior)
    : BControl(frame, name, label, message, B_FOLLOW_LEFT_TOP, B_WILL_DRAW)
{
	_Init(image, behavior);
}

void TToolButton::_Init(BBitmap* image, uint32 behavior)
{
	mInside = false;
	mPressed = false;
	mHot = false;
	mRadioMode = false;
	mBehavior = behavior;
	mHAlignment = B_ALIGN_LEFT;
	mVAlignment = B_ALIGN_MIDDLE;
	for (BBitmap*& slot : mImages)
		slot = nullptr;
	mImages[kStateOff] = image;
	mDivider = image != nullptr ? image->Bounds().Width() + kGap : 0;
	mToolBar = nullptr;
	SetViewColor(B_TRANSPARENT_COLOR);
	ResizeToPreferred();
	mToolTip = new TToolTip(Name());
}

TToolButton::~TToolButton()
{
	delete mToolTip;
	for (BBitmap* image : mImages)
		delete image;
}

// #pragma mark - look

void TToolButton::GetPreferredSize(float* width, float* height)
{
	font_height metrics;
	GetFontHeight(&metrics);
	float textHeight = std::ceil(metrics.ascent + metrics.descent);
	BBitmap* image = mImages[kStateOff];
	float imageHeight = image != nullptr ? image->Bounds().Height() : 0;
	if (width != nullptr)
		*width = MinWidth();
	if (height != nullptr)
		*height = std::max(textHeight, imageHeight) + 2 * kMargin;
}

void TToolButton::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
	_ComputePoints();
}

float TToolButton::MinWidth() const
{
	float width = 0;
	if (BBitmap* image = mImages[kStateOff])
		width += image->Bounds().Width() + kGap;
	const char* label = Label();
	if (label != nullptr && label[0] != '\0')
		width += std::ceil(StringWidth(label)) + kGap;
	return width;
}

void TToolButton::_ComputePoints()
{
	// The alignments are kept for callers that set them; the places do not depend on them.
	font_height metrics;
	GetFontHeight(&metrics);
	mImagePoint = BPoint(kMargin, kMargin);
	float textHeight = metrics.ascent + metrics.descent;
	mLabelPoint = BPoint(mDivider + kMargin,
	                     std::round(metrics.ascent + (Bounds().Height() - textHeight) * 0.5f));
	Invalidate();
}

void TToolButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
	ResizeToPreferred();
}

void TToolButton::SetDivider(float divider)
{
	mDivider = divider;
	_ComputePoints();
}

void TToolButton::AdjustDivider()
{
	BBitmap* image = mImages[kStateOff];
	SetDivider(image != nullptr ? image->Bounds().Width() + kGap : 0);
}

void TToolButton::SetAlignment(alignment horizontal, vertical_alignment vertical)
{
	mHAlignment = horizontal;
	mVAlignment = vertical;
	_ComputePoints();
}

void TToolButton::GetAlignment(alignment* horizontal, vertical_alignment* vertical) const
{
	if (horizontal != nullptr)
		*horizontal = mHAlignment;
	if (vertical != nullptr)
		*vertical = mVAlignment;
}

bool TToolButton::IsUsable() const
{
	return IsEnabled() && (mToolBar == nullptr || mToolBar->IsEnabled());
}

int32 TToolButton::DrawingState() const
{
	int32 state = !IsUsable() ? kStateDisabledOff : mHot ? kStateHotOff : kStateOff;
	if (Value() != 0 || (mPressed && mHot))
		state += 1;
	// Lit and on at once looks on.
	return state == kStateCount ? kStateOn : state;
}

void TToolButton::Draw(BRect)
{
	int32 state = DrawingState();
	bool sunken = state == kStateOn || state == kStateDisabledOn;
	rgb_color background = sunken                  ? COLOR_ENABLED_DISABLED_ON_BG
	                       : state == kStateHotOff ? COLOR_HOT_OFF_BG
	                                               : ui_color(B_PANEL_BACKGROUND_COLOR);
	bool disabled = state == kStateDisabledOff || state == kStateDisabledOn;
	BPoint shift = sunken ? BPoint(1, 1) : BPoint(0, 0);

	// The face is painted opaque; only the image blends by its alpha.
	BRect bounds = Bounds();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(background);
	FillRect(bounds);

	bool flatRest = mToolBar != nullptr && mToolBar->IsButtonFlat() &&
	                (state == kStateOff || state == kStateDisabledOff);
	if (!flatRest)
		stroke_bevel(this, bounds, sunken);

	if (BBitmap* image = mImages[state]) {
		SetDrawingMode(B_OP_ALPHA);
		DrawBitmap(image, mImagePoint + shift);
		SetDrawingMode(B_OP_COPY);
	}
	const char* label = Label();
	if (label != nullptr && label[0] != '\0') {
		SetHighColor(disabled ? COLOR_DISABLED_LABEL : COLOR_ENABLED_LABEL);
		SetLowColor(background);
		DrawString(label, mLabelPoint + shift);
	}
}

// #pragma mark - window

void TToolButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	// The button paints its own face; nothing needs to be filled beneath it.
	SetViewColor(B_TRANSPARENT_COLOR);
	SetDefaultImages();
	mToolTip->SetTarget(this);
}

void TToolButton::DetachedFromWindow()
{
	mToolTip->Detach();
	mInside = false;
	mPressed = false;
	mHot = false;
	BControl::DetachedFromWindow();
}

void TToolButton::WindowActivated(bool active)
{
	bool hot = false;
	if (active) {
		BPoint where;
		GetMouse(&where, nullptr, false);
		hot = Bounds().Contains(where);
	}
	_SetHot(hot);
	BControl::WindowActivated(active);
}

void TToolButton::_SetHot(bool hot)
{
	mHot = hot;
	Invalidate();
}

// #pragma mark - pointer

void TToolButton::MouseDown(BPoint)
{
	if (IsHidden() || !IsUsable())
		return;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	mPressed = true;
	mHot = true;
	mInside = true;
	Invalidate();
}

void TToolButton::MouseMoved(BPoint, uint32 transit, const BMessage*)
{
	if (IsHidden())
		return;
	if (transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW) {
		if (mInside)
			return;
		uint32 buttons = 0;
		GetMouse(nullptr, &buttons, false);
		BWindow* window = Window();
		if (mPressed || (window != nullptr && window->IsActive() && buttons == 0)) {
			mInside = true;
			_SetHot(true);
		}
	} else if (transit == B_EXITED_VIEW) {
		mInside = false;
		_SetHot(false);
	}
}

void TToolButton::MouseUp(BPoint where)
{
	if (IsHidden() || !mPressed)
		return;
	mPressed = false;
	Invalidate();
	if (!Bounds().Contains(where) || !IsUsable())
		return;
	if (mBehavior == kToggleBehavior) {
		// A radio button that is on stays on; pressing it again says nothing.
		if (mRadioMode && Value() != 0)
			return;
		mToolTip->Hide();
		SetValue(Value() != 0 ? 0 : 1);
	} else {
		mToolTip->Hide();
	}
	Invoke();
}

// #pragma mark - behaviour and radio groups

void TToolButton::SetBehavior(uint32 behavior)
{
	if (behavior == mBehavior)
		return;
	mBehavior = behavior;
	if (behavior == kPushBehavior) {
		// A push button is never left on, nor one of a radio group.
		mRadioMode = false;
		SetValue(0);
	}
}

status_t TToolButton::SetRadioMode(bool on)
{
	if (on == mRadioMode)
		return B_OK;
	if (on && mBehavior == kPushBehavior)
		return -1;
	mRadioMode = on;
	if (on)
		SetValue(0);
	std::vector<TToolButton*> brothers;
	GetBrothers(&brothers);
	for (TToolButton* brother : brothers) {
		if (brother->mBehavior == kToggleBehavior)
			brother->SetRadioMode(on);
	}
	return B_OK;
}

void TToolButton::SetValue(int32 value)
{
	int32 normal = value != 0 ? 1 : 0;
	if (normal == Value())
		return;
	BControl::SetValue(normal);
	if (normal != 0 && mRadioMode) {
		std::vector<TToolButton*> brothers;
		GetBrothers(&brothers);
		for (TToolButton* brother : brothers)
			brother->SetValue(0);
	}
}

void TToolButton::GetBrothers(std::vector<TToolButton*>* brothers) const
{
	brothers->clear();
	if (mToolBar == nullptr)
		return;
	int32 index = mToolBar->IndexOf(const_cast<TToolButton*>(this));
	if (index < 0)
		return;
	for (int32 i = index - 1; i >= 0; i--) {
		TToolButton* item = mToolBar->ItemAt(i);
		if (dynamic_cast<TSeparatorButton*>(item) != nullptr)
			break;
		brothers->push_back(item);
	}
	for (int32 i = index + 1; i < mToolBar->CountItems(); i++) {
		TToolButton* item = mToolBar->ItemAt(i);
		if (dynamic_cast<TSeparatorButton*>(item) != nullptr)
			break;
		brothers->push_back(item);
	}
}

// #pragma mark - tip

void TToolButton::SetTip(const char* tip)
{
	mToolTip->SetTip(tip);
}

const char* TToolButton::Tip() const
{
	return mToolTip->Tip();
}
