// The face of BScrollBar: where its arrows, track and thumb lie, how they are drawn, and what
// the pointer and the wheel do to them.
#include <ScrollBar.h>

#include <algorithm>
#include <cmath>

#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

namespace {

const uint32 kMsgRepeat = '_SBR';
const bigtime_t kRepeatDelay = 300000;
const bigtime_t kRepeatInterval = 50000;
const float kMinThumbLength = 16;
const float kWheelSteps = 3;

} // namespace

// #pragma mark - geometry

float BScrollBar::_Length() const
{
	BRect bounds = Bounds();
	return (fOrientation == B_HORIZONTAL ? bounds.Width() : bounds.Height()) + 1;
}

float BScrollBar::_ArrowLength() const
{
	// Square arrows, shrunk on a bar too short for two of them.
	BRect bounds = Bounds();
	float across = (fOrientation == B_HORIZONTAL ? bounds.Height() : bounds.Width()) + 1;
	return std::min(across, std::floor(_Length() / 2));
}

float BScrollBar::_ThumbLength() const
{
	float track = _Length() - 2 * _ArrowLength();
	float length = fProportion > 0 ? std::round(track * fProportion) : kMinThumbLength;
	return std::min(std::max(length, kMinThumbLength), track);
}

float BScrollBar::_ThumbStart() const
{
	float arrow = _ArrowLength();
	float room = _Length() - 2 * arrow - _ThumbLength();
	float share = fMax > fMin ? (fValue - fMin) / (fMax - fMin) : 0;
	return (fOrientation == B_HORIZONTAL ? Bounds().left : Bounds().top) + arrow +
	       std::round(room * share);
}

float BScrollBar::_Along(BPoint point) const
{
	return fOrientation == B_HORIZONTAL ? point.x : point.y;
}

BRect BScrollBar::_Span(float from, float to, float inset) const
{
	BRect bounds = Bounds();
	if (fOrientation == B_HORIZONTAL)
		return BRect(from, bounds.top + inset, to, bounds.bottom - inset);
	return BRect(bounds.left + inset, from, bounds.right - inset, to);
}

BScrollBar::Part BScrollBar::_PartAt(BPoint where) const
{
	float start = _Along(Bounds().LeftTop());
	float along = _Along(where) - start;
	float arrow = _ArrowLength();
	if (along < arrow)
		return kDecrement;
	if (along >= _Length() - arrow)
		return kIncrement;
	float thumb = _ThumbStart() - start;
	if (along < thumb)
		return kPageBefore;
	if (along >= thumb + _ThumbLength())
		return kPageAfter;
	return kThumb;
}

// #pragma mark - drawing

void BScrollBar::Draw(BRect)
{
	uint32 flags = _CanScroll() ? 0 : StylePainter::kDisabled;
	auto pressed = [&](Part part) {
		return fPressed == part ? flags | StylePainter::kPressed : flags;
	};
	float start = _Along(Bounds().LeftTop());
	float end = start + _Length() - 1;
	float arrow = _ArrowLength();
	StylePainter::DrawScrollBarTrack(this, _Span(start + arrow, end - arrow), fOrientation, flags);
	if (_CanScroll()) {
		float thumb = _ThumbStart();
		StylePainter::DrawScrollBarThumb(this, _Span(thumb, thumb + _ThumbLength() - 1, 1),
		                                 fOrientation, pressed(kThumb));
	}
	bool horizontal = fOrientation == B_HORIZONTAL;
	StylePainter::DrawScrollBarButton(this, _Span(start, start + arrow - 1),
	                                  horizontal ? StylePainter::kLeft : StylePainter::kUp,
	                                  pressed(kDecrement));
	StylePainter::DrawScrollBarButton(this, _Span(end - arrow + 1, end),
	                                  horizontal ? StylePainter::kRight : StylePainter::kDown,
	                                  pressed(kIncrement));
}

// #pragma mark - the pointer

void BScrollBar::MouseDown(BPoint where)
{
	if (!_CanScroll() || fPressed != kNoPart)
		return;
	fPressed = _PartAt(where);
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	if (fPressed == kThumb) {
		fGrabOffset = _Along(where) - _ThumbStart();
		Invalidate();
		return;
	}
	_Step(fPressed, where);
	Invalidate();
	_StartRepeating();
}

void BScrollBar::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fPressed != kThumb)
		return;
	float room = _Length() - 2 * _ArrowLength() - _ThumbLength();
	if (room <= 0)
		return;
	float trackStart = _Along(Bounds().LeftTop()) + _ArrowLength();
	float share = (_Along(where) - fGrabOffset - trackStart) / room;
	SetValue(fMin + share * (fMax - fMin));
}

void BScrollBar::MouseUp(BPoint where)
{
	if (fPressed == kNoPart)
		return;
	_StopRepeating();
	fPressed = kNoPart;
	Invalidate();
}

bool BScrollBar::_Step(Part part, BPoint where)
{
	switch (part) {
	case kDecrement:
	case kIncrement: {
		// Held, an arrow steps only while the pointer stays on it.
		if (_PartAt(where) != part)
			return false;
		SetValue(fValue + (part == kDecrement ? -fSmallStep : fSmallStep));
		return true;
	}
	case kPageBefore:
	case kPageAfter: {
		// Paging stops once the thumb has reached the pointer.
		if (_PartAt(where) != part)
			return false;
		SetValue(fValue + (part == kPageBefore ? -fLargeStep : fLargeStep));
		return true;
	}
	default:
		return false;
	}
}

void BScrollBar::_StartRepeating()
{
	if (Looper() == nullptr)
		return;
	BMessage tick(kMsgRepeat);
	fRepeater = std::make_unique<BMessageRunner>(BMessenger(this), &tick, kRepeatDelay);
	fRepeatStarted = false;
}

void BScrollBar::_StopRepeating()
{
	fRepeater.reset();
}

void BScrollBar::_Repeat()
{
	// The live state of the buttons, not the queue's: a release already made ends the
	// repeating even before its message arrives.
	BPoint where;
	uint32 buttons = 0;
	GetMouse(&where, &buttons, false);
	if (fRepeater == nullptr || fPressed == kNoPart || buttons == 0) {
		_StopRepeating();
		return;
	}
	if (!fRepeatStarted) {
		fRepeatStarted = true;
		fRepeater->SetInterval(kRepeatInterval);
	}
	_Step(fPressed, where);
}

bool BScrollBar::_WheelBy(float notches)
{
	if (!std::isfinite(notches) || notches == 0 || !_CanScroll())
		return false;
	float before = fValue;
	SetValue(fValue + notches * kWheelSteps * fSmallStep);
	return fValue != before;
}

void BScrollBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgRepeat:
		_Repeat();
		break;
	case B_MOUSE_WHEEL_CHANGED: {
		// Over the bar, either wheel moves it along its own axis.
		float dx = message->GetFloat("be:wheel_delta_x", 0);
		float dy = message->GetFloat("be:wheel_delta_y", 0);
		float notches = fOrientation == B_HORIZONTAL ? (dx != 0 ? dx : dy) : (dy != 0 ? dy : dx);
		if (!_WheelBy(notches))
			BView::MessageReceived(message);
		break;
	}
	default:
		BView::MessageReceived(message);
		break;
	}
}
