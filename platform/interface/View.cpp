// The tree, the geometry and the hooks of BView. Drawing state lives in ViewState.cpp,
// drawing in ViewDrawing.cpp and archiving in ViewArchive.cpp.
#include <View.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include <Autolock.h>
#include <Looper.h>
#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include <Painter.h>

#include "ViewHost.h"
#include "ViewPrivate.h"

BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags) : BHandler(name)
{
	_InitData(frame, name, resizingMode, flags);
}

BView::BView(const char* name, uint32 flags) : BHandler(name)
{
	_InitData(BRect(0, 0, -1, -1), name, B_FOLLOW_NONE, flags);
}

BView::~BView()
{
	if (fHorScroller != nullptr)
		fHorScroller->SetTarget((BView*)nullptr);
	if (fVerScroller != nullptr)
		fVerScroller->SetTarget((BView*)nullptr);
	if (fParent != nullptr)
		fParent->RemoveChild(this);
	while (!fChildren.empty()) {
		BView* child = fChildren.back();
		RemoveChild(child);
		delete child;
	}
}

void BView::_InitData(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
{
	if (!std::isfinite(frame.left) || !std::isfinite(frame.top) || !std::isfinite(frame.right) ||
	    !std::isfinite(frame.bottom))
		frame = BRect(0, 0, -1, -1);
	fFrame = frame;
	fBoundsOrigin = BPoint(0, 0);
	fResizingMode = resizingMode & _RESIZE_MASK_;
	fFlags = flags & ~_RESIZE_MASK_;
	fHideLevel = 0;
	fViewColor = make_color(255, 255, 255);
	fState.high = make_color(0, 0, 0);
	fState.low = make_color(255, 255, 255);
	fState.mode = B_OP_COPY;
	fState.alphaSource = B_PIXEL_ALPHA;
	fState.alphaFunction = B_ALPHA_OVERLAY;
	fState.penSize = 1.0f;
	fState.pen = BPoint(0, 0);
	fState.origin = BPoint(0, 0);
	fState.cap = B_BUTT_CAP;
	fState.join = B_MITER_JOIN;
	fState.miterLimit = B_DEFAULT_MITER_LIMIT;
	fState.font = *be_plain_font;
	fArchivingFlags = 0;
	fParent = nullptr;
	fHost = nullptr;
	fPainterEpoch = 0;
	fPainterPass = 0;
	fEventMask = 0;
	fMouseEventMask = 0;
	fHorScroller = nullptr;
	fVerScroller = nullptr;
}

// #pragma mark - hooks

void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect updateRect) {}
void BView::DrawAfterChildren(BRect updateRect) {}
void BView::MouseDown(BPoint where) {}
void BView::MouseUp(BPoint where) {}
void BView::MouseMoved(BPoint where, uint32 code, const BMessage* dragMessage) {}
void BView::KeyDown(const char* bytes, int32 numBytes)
{
	// Tab navigation and the default button are what a view does with keys it does not
	// want; the window holds both.
	if (BWindow* window = Window())
		window->_HandleDefaultKeys(window->CurrentMessage());
}
void BView::KeyUp(const char* bytes, int32 numBytes) {}
void BView::Pulse() {}
void BView::FrameMoved(BPoint newPosition) {}
void BView::FrameResized(float newWidth, float newHeight) {}
void BView::WindowActivated(bool active) {}

void BView::MessageReceived(BMessage* message)
{
	// The wheel over a view that scroll bars scroll moves the bars; a view that scrolls only
	// sideways takes the ordinary (vertical) wheel sideways. Where no bar could move, the
	// wheel goes on to the parent.
	if (message->what == B_MOUSE_WHEEL_CHANGED &&
	    (fHorScroller != nullptr || fVerScroller != nullptr)) {
		float dx = message->GetFloat("be:wheel_delta_x", 0);
		float dy = message->GetFloat("be:wheel_delta_y", 0);
		if (fVerScroller == nullptr && dx == 0)
			std::swap(dx, dy);
		bool moved = fHorScroller != nullptr && fHorScroller->_WheelBy(dx);
		moved = (fVerScroller != nullptr && fVerScroller->_WheelBy(dy)) || moved;
		if (moved)
			return;
	}
	BHandler::MessageReceived(message);
}

BWindow* BView::Window() const
{
	return fHost != nullptr ? fHost->HostWindow() : nullptr;
}

void BView::_GeometryChanged()
{
	if (fHost != nullptr)
		fHost->GeometryChanged();
}

void BView::_InvalidateFrame()
{
	// The area the view covers in its parent, which must be redrawn when the view moves,
	// resizes, shows or hides.
	if (fHost == nullptr || fParent == nullptr)
		return;
	BRect frame = fFrame.OffsetByCopy(fParent->_SurfaceOffset());
	if (frame.IsValid())
		fHost->InvalidateSurface(frame);
}

// #pragma mark - the tree

void BView::AddChild(BView* child, BView* before)
{
	// A view belongs to one tree at a time; adding it twice would corrupt both.
	assert(child != nullptr && child != this && child->fParent == nullptr &&
	       child->fHost == nullptr);
	if (child == nullptr || child == this || child->fParent != nullptr || child->fHost != nullptr)
		return;

	BLooper* looper = fHost != nullptr ? fHost->HostLooper() : nullptr;
	BAutolock lock(looper);
	auto position = std::find(fChildren.begin(), fChildren.end(), before);
	fChildren.insert(position, child);
	child->fParent = this;
	_GeometryChanged();
	if (fHost != nullptr) {
		child->_AttachTree(fHost);
		child->_InvalidateFrame();
		child->_CallAttachedHooks();
	}
}

bool BView::RemoveChild(BView* child)
{
	if (child == nullptr || child->fParent != this)
		return false;
	BLooper* looper = fHost != nullptr ? fHost->HostLooper() : nullptr;
	BAutolock lock(looper);
	if (child->fHost != nullptr) {
		child->_InvalidateFrame();
		child->_CallDetachedHooks();
		child->_DetachTree();
	}
	fChildren.erase(std::find(fChildren.begin(), fChildren.end(), child));
	child->fParent = nullptr;
	_GeometryChanged();
	return true;
}

bool BView::RemoveSelf()
{
	return fParent != nullptr && fParent->RemoveChild(this);
}

BView* BView::ChildAt(int32 index) const
{
	if (index < 0 || index >= (int32)fChildren.size())
		return nullptr;
	return fChildren[(size_t)index];
}

BView* BView::NextSibling() const
{
	if (fParent == nullptr)
		return nullptr;
	const std::vector<BView*>& siblings = fParent->fChildren;
	auto it = std::find(siblings.begin(), siblings.end(), this);
	return it != siblings.end() && it + 1 != siblings.end() ? *(it + 1) : nullptr;
}

BView* BView::PreviousSibling() const
{
	if (fParent == nullptr)
		return nullptr;
	const std::vector<BView*>& siblings = fParent->fChildren;
	auto it = std::find(siblings.begin(), siblings.end(), this);
	return it != siblings.end() && it != siblings.begin() ? *(it - 1) : nullptr;
}

BView* BView::Parent() const
{
	// The host's top view is not the application's; its children are top-level views.
	if (fParent != nullptr && fHost != nullptr && fHost->TopView() == fParent)
		return nullptr;
	return fParent;
}

BView* BView::FindView(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	if (Name() != nullptr && strcmp(Name(), name) == 0)
		return const_cast<BView*>(this);
	for (BView* child : fChildren) {
		if (BView* found = child->FindView(name))
			return found;
	}
	return nullptr;
}

void BView::_AttachTree(BPrivate::ViewHost* host)
{
	fHost = host;
	if (BLooper* looper = host->HostLooper()) {
		looper->AddHandler(this);
		// Messages a view does not take go to its parent, and from the top-level views to
		// the window.
		if (fParent != nullptr && fParent != host->TopView())
			SetNextHandler(fParent);
	}
	for (BView* child : fChildren)
		child->_AttachTree(host);
}

void BView::_DetachTree()
{
	for (BView* child : fChildren)
		child->_DetachTree();
	if (fHost != nullptr)
		fHost->ViewDetached(this);
	if (Looper() != nullptr)
		Looper()->RemoveHandler(this);
	fHost = nullptr;
	// The painter points into the host's pixels, which may go away with the host.
	fPainter.reset();
	fMouseEventMask = 0;
}

void BView::_CallAttachedHooks()
{
	// AttachedToWindow runs top-down, so that a child finds its parent ready; AllAttached
	// bottom-up, so that a parent finds every descendant ready.
	struct Walk {
		static void Attached(BView* view)
		{
			view->AttachedToWindow();
			for (size_t i = 0; i < view->fChildren.size(); i++)
				Attached(view->fChildren[i]);
		}
		static void All(BView* view)
		{
			for (size_t i = 0; i < view->fChildren.size(); i++)
				All(view->fChildren[i]);
			view->AllAttached();
		}
	};
	Walk::Attached(this);
	Walk::All(this);
}

void BView::_CallDetachedHooks()
{
	struct Walk {
		static void Detached(BView* view)
		{
			view->DetachedFromWindow();
			for (size_t i = 0; i < view->fChildren.size(); i++)
				Detached(view->fChildren[i]);
		}
		static void All(BView* view)
		{
			for (size_t i = 0; i < view->fChildren.size(); i++)
				All(view->fChildren[i]);
			view->AllDetached();
		}
	};
	Walk::Detached(this);
	Walk::All(this);
}

// #pragma mark - geometry

BRect BView::Bounds() const
{
	return BRect(fBoundsOrigin.x, fBoundsOrigin.y, fBoundsOrigin.x + fFrame.Width(),
	             fBoundsOrigin.y + fFrame.Height());
}

void BView::MoveBy(float dx, float dy)
{
	if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0))
		return;
	_InvalidateFrame();
	fFrame.OffsetBy(dx, dy);
	_GeometryChanged();
	_InvalidateFrame();
	if (fHost != nullptr)
		fHost->ViewFrameChanged(this, true, false);
}

void BView::MoveTo(BPoint where)
{
	MoveBy(where.x - fFrame.left, where.y - fFrame.top);
}

void BView::MoveTo(float x, float y)
{
	MoveTo(BPoint(x, y));
}

void BView::ResizeBy(float dx, float dy)
{
	if (!std::isfinite(dx) || !std::isfinite(dy))
		return;
	// A view keeps at least one pixel in each direction (width 0), as on the platform.
	dx = std::max(dx, -fFrame.Width());
	dy = std::max(dy, -fFrame.Height());
	if (dx == 0 && dy == 0)
		return;
	_InvalidateFrame();
	fFrame.right += dx;
	fFrame.bottom += dy;
	_ResizeChildren(dx, dy);
	_GeometryChanged();
	_InvalidateFrame();
	if (fHost != nullptr)
		fHost->ViewFrameChanged(this, false, true);
}

void BView::ResizeTo(float width, float height)
{
	ResizeBy(width - fFrame.Width(), height - fFrame.Height());
}

void BView::ResizeTo(BSize size)
{
	ResizeTo(size.width, size.height);
}

void BView::_ResizeChildren(float dx, float dy)
{
	// How far an edge moves when the parent grows by `delta`, by the rule of its nibble.
	auto follow = [](uint32 rule, uint32 farEdge, float delta) {
		if (rule == farEdge)
			return delta;
		if (rule == _VIEW_CENTER_)
			return delta / 2;
		return 0.0f;
	};
	for (BView* child : fChildren) {
		uint32 mode = child->fResizingMode;
		float left = follow((mode >> 8) & 0xf, _VIEW_RIGHT_, dx);
		float right = follow(mode & 0xf, _VIEW_RIGHT_, dx);
		float top = follow((mode >> 12) & 0xf, _VIEW_BOTTOM_, dy);
		float bottom = follow((mode >> 4) & 0xf, _VIEW_BOTTOM_, dy);
		child->MoveBy(left, top);
		child->ResizeBy(right - left, bottom - top);
	}
}

void BView::ScrollBy(float dx, float dy)
{
	ScrollTo(BPoint(fBoundsOrigin.x + dx, fBoundsOrigin.y + dy));
}

void BView::ScrollTo(BPoint where)
{
	if (!std::isfinite(where.x) || !std::isfinite(where.y))
		return;
	auto clampTo = [](const BScrollBar* bar, float value) {
		float min, max;
		bar->GetRange(&min, &max);
		return std::clamp(value, min, max);
	};
	if (fHorScroller != nullptr)
		where.x = clampTo(fHorScroller, where.x);
	if (fVerScroller != nullptr)
		where.y = clampTo(fVerScroller, where.y);
	if (where == fBoundsOrigin)
		return;
	fBoundsOrigin = where;
	_GeometryChanged();
	Invalidate();
	// The bars follow; their ValueChanged scrolls back to where the view already is, which
	// ends there.
	if (fHorScroller != nullptr)
		fHorScroller->SetValue(where.x);
	if (fVerScroller != nullptr)
		fVerScroller->SetValue(where.y);
}

BScrollBar* BView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorScroller : fVerScroller;
}

void BView::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = fFrame.Width();
	if (height != nullptr)
		*height = fFrame.Height();
}

void BView::ResizeToPreferred()
{
	float width = fFrame.Width();
	float height = fFrame.Height();
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}

void BView::SetFlags(uint32 flags)
{
	uint32 previous = fFlags;
	fFlags = flags & ~_RESIZE_MASK_;
	// A focused view that starts or stops taking text turns the input method on or off.
	if (((previous ^ fFlags) & B_INPUT_METHOD_AWARE) != 0 && IsFocus())
		Window()->_UpdateTextInput();
}

void BView::SetResizingMode(uint32 mode)
{
	fResizingMode = mode & _RESIZE_MASK_;
}

void BView::Show()
{
	if (fHideLevel > 0 && --fHideLevel == 0) {
		_GeometryChanged();
		_InvalidateFrame();
	}
}

void BView::Hide()
{
	if (fHideLevel++ == 0) {
		_InvalidateFrame();
		_GeometryChanged();
		if (fHost != nullptr)
			fHost->ViewHidden(this);
	}
}

bool BView::IsHidden(const BView* lookingFrom) const
{
	for (const BView* view = this; view != nullptr && view != lookingFrom; view = view->fParent) {
		if (view->fHideLevel > 0)
			return true;
	}
	return false;
}

bool BView::IsHidden() const
{
	return IsHidden(nullptr);
}

// #pragma mark - coordinates

void BView::ConvertToParent(BPoint* point) const
{
	point->x += fFrame.left - fBoundsOrigin.x;
	point->y += fFrame.top - fBoundsOrigin.y;
}

BPoint BView::ConvertToParent(BPoint point) const
{
	ConvertToParent(&point);
	return point;
}

void BView::ConvertFromParent(BPoint* point) const
{
	point->x -= fFrame.left - fBoundsOrigin.x;
	point->y -= fFrame.top - fBoundsOrigin.y;
}

BPoint BView::ConvertFromParent(BPoint point) const
{
	ConvertFromParent(&point);
	return point;
}

void BView::ConvertToParent(BRect* rect) const
{
	rect->OffsetBy(fFrame.left - fBoundsOrigin.x, fFrame.top - fBoundsOrigin.y);
}

BRect BView::ConvertToParent(BRect rect) const
{
	ConvertToParent(&rect);
	return rect;
}

void BView::ConvertFromParent(BRect* rect) const
{
	rect->OffsetBy(fBoundsOrigin.x - fFrame.left, fBoundsOrigin.y - fFrame.top);
}

BRect BView::ConvertFromParent(BRect rect) const
{
	ConvertFromParent(&rect);
	return rect;
}

BPoint BView::_SurfaceOffset() const
{
	BPoint offset(0, 0);
	for (const BView* view = this; view != nullptr; view = view->fParent)
		view->ConvertToParent(&offset);
	return offset;
}

// A view in a window converts through the window's place on the screen; elsewhere the host's
// coordinate system stands in for the screen.
static BPoint screen_offset(const BView* view, BPoint surfaceOffset)
{
	if (BWindow* window = view->Window())
		return surfaceOffset + window->Frame().LeftTop();
	return surfaceOffset;
}

void BView::ConvertToScreen(BPoint* point) const
{
	*point += screen_offset(this, _SurfaceOffset());
}

BPoint BView::ConvertToScreen(BPoint point) const
{
	return point + screen_offset(this, _SurfaceOffset());
}

void BView::ConvertFromScreen(BPoint* point) const
{
	*point -= screen_offset(this, _SurfaceOffset());
}

BPoint BView::ConvertFromScreen(BPoint point) const
{
	return point - screen_offset(this, _SurfaceOffset());
}

void BView::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(screen_offset(this, _SurfaceOffset()));
}

BRect BView::ConvertToScreen(BRect rect) const
{
	return rect.OffsetByCopy(screen_offset(this, _SurfaceOffset()));
}

void BView::ConvertFromScreen(BRect* rect) const
{
	rect->OffsetBy(-screen_offset(this, _SurfaceOffset()));
}

BRect BView::ConvertFromScreen(BRect rect) const
{
	return rect.OffsetByCopy(-screen_offset(this, _SurfaceOffset()));
}

// #pragma mark - invalidation

void BView::Invalidate(BRect invalRect)
{
	if (fHost == nullptr || !invalRect.IsValid())
		return;
	BPoint offset = _SurfaceOffset();
	BRect surfaceRect = invalRect.OffsetByCopy(offset) & Bounds().OffsetByCopy(offset);
	if (surfaceRect.IsValid())
		fHost->InvalidateSurface(surfaceRect);
}

void BView::Invalidate()
{
	Invalidate(Bounds());
}
