#include "WindowHost.h"

#include <algorithm>
#include <cstring>

#include <Message.h>
#include <View.h>
#include <Window.h>

#include <Painter.h>

#include "Desktop.h"
#include "WindowPrivate.h"

namespace BPrivate {

WindowHost::WindowHost(BWindow* window) : fWindow(window) {}

WindowHost::~WindowHost()
{
	Uninstall();
}

graphics::PixelBuffer WindowHost::Surface() const
{
	if (fBuffer.empty())
		return graphics::PixelBuffer();
	return graphics::PixelBuffer(const_cast<uint8*>(fBuffer.data()), fWidth, fHeight, fWidth * 4);
}

BLooper* WindowHost::HostLooper() const
{
	return fWindow;
}

void WindowHost::Install(int32 width, int32 height)
{
	fWidth = std::max<int32>(width, 1);
	fHeight = std::max<int32>(height, 1);
	fBuffer.assign((size_t)fWidth * fHeight * 4, 0);
	BView* top = new BView(BRect(0, 0, fWidth - 1, fHeight - 1), "_top_view_", B_FOLLOW_ALL,
	                       B_WILL_DRAW);
	top->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	InstallTopView(top, BPoint(0, 0));
	InvalidateAll();
}

void WindowHost::Uninstall()
{
	DeleteTopView();
}

void WindowHost::Resize(int32 width, int32 height)
{
	width = std::max<int32>(width, 1);
	height = std::max<int32>(height, 1);
	if (width == fWidth && height == fHeight)
		return;
	std::vector<uint8> buffer((size_t)width * height * 4, 0);
	int32 rows = std::min(height, fHeight);
	size_t bytes = (size_t)std::min(width, fWidth) * 4;
	for (int32 y = 0; y < rows; y++)
		memcpy(&buffer[(size_t)y * width * 4], &fBuffer[(size_t)y * fWidth * 4], bytes);
	fBuffer.swap(buffer);
	fWidth = width;
	fHeight = height;
	SurfaceChanged();
	if (BView* top = TopView())
		top->ResizeTo(width - 1, height - 1);
	InvalidateAll();
}

// #pragma mark - invalidation

void WindowHost::InvalidateSurface(const BRect& surfaceRect)
{
	graphics::IntRect rect = graphics::Painter::SnapRect(surfaceRect, BPoint(0, 0)) &
	                         graphics::IntRect(0, 0, fWidth - 1, fHeight - 1);
	if (!rect.IsValid())
		return;
	fDirty.Include(rect);
	_RequestUpdate();
}

void WindowHost::InvalidateAll()
{
	fDirty.Set(graphics::IntRect(0, 0, fWidth - 1, fHeight - 1));
	_RequestUpdate();
}

void WindowHost::DrewOutsideUpdate(const graphics::IntRect& rect)
{
	fDrawnDirect.Include(rect);
	_RequestUpdate();
}

void WindowHost::_RequestUpdate()
{
	// The window's own thread updates after the message it is dispatching; any other
	// thread (holding the lock) must wake the loop.
	if (find_thread(nullptr) == fWindow->Thread())
		return;
	if (fWindow->Thread() < 0 || fUpdateRequested.exchange(true))
		return;
	fWindow->PostMessage(kMsgUpdate);
}

bool WindowHost::NeedsUpdate() const
{
	return !fDirty.IsEmpty() || !fDrawnDirect.IsEmpty();
}

void WindowHost::EnableUpdates()
{
	if (fDisabled > 0)
		fDisabled--;
	if (fDisabled == 0 && NeedsUpdate())
		_RequestUpdate();
}

const graphics::ClipRegion* WindowHost::UpdateClip(uint64* pass) const
{
	if (!fInUpdate) {
		*pass = 0;
		return nullptr;
	}
	*pass = fPass;
	return &fUpdating;
}

void WindowHost::SyncSurface()
{
	if (!fInUpdate && find_thread(nullptr) == fWindow->Thread())
		PresentDirect();
}

// #pragma mark - views

void WindowHost::ViewFrameChanged(BView* view, bool moved, bool resized)
{
	if ((view->Flags() & B_FRAME_EVENTS) == 0 || view == TopView())
		return;
	BRect frame = view->Frame();
	if (moved) {
		BMessage message(B_VIEW_MOVED);
		message.AddInt64("when", system_time());
		message.AddPoint("where", frame.LeftTop());
		fWindow->PostMessage(&message, view);
	}
	if (resized) {
		BMessage message(B_VIEW_RESIZED);
		message.AddInt64("when", system_time());
		message.AddInt32("width", (int32)frame.Width());
		message.AddInt32("height", (int32)frame.Height());
		message.AddPoint("where", frame.LeftTop());
		fWindow->PostMessage(&message, view);
	}
}

void WindowHost::ViewDetached(BView* view)
{
	WindowAccess::ViewGone(fWindow, view);
}

void WindowHost::ViewHidden(BView* view)
{
	// A hidden view loses the focus, and hears it, also when the focus is below it.
	BView* focus = fWindow->CurrentFocus();
	for (BView* holder = focus; holder != nullptr; holder = holder->Parent()) {
		if (holder == view) {
			focus->MakeFocus(false);
			break;
		}
	}
	WindowAccess::ViewGone(fWindow, view);
}

// #pragma mark - drawing

void WindowHost::Update()
{
	if (fDisabled > 0 || fWindow->IsHidden() || TopView() == nullptr)
		return;
	graphics::ClipRegion shown = fDrawnDirect;
	fDrawnDirect.MakeEmpty();
	if (!fDirty.IsEmpty()) {
		fUpdating = fDirty;
		fDirty.MakeEmpty();
		fInUpdate = true;
		fPass++;
		_Draw(TopView());
		fInUpdate = false;
		shown.Include(fUpdating);
		fUpdating.MakeEmpty();
	}
	if (!shown.IsEmpty())
		_Present(shown);
}

void WindowHost::PresentDirect()
{
	if (fDrawnDirect.IsEmpty() || fWindow->IsHidden())
		return;
	graphics::ClipRegion shown = fDrawnDirect;
	fDrawnDirect.MakeEmpty();
	_Present(shown);
}

void WindowHost::_Present(const graphics::ClipRegion& region)
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return;
	desktop->Backend()->Present(WindowAccess::BackendId(fWindow), Surface(), region.Rects());
}

void WindowHost::_Draw(BView* view)
{
	if (view->fHideLevel > 0)
		return;
	// Nothing of a view that lies wholly outside the redrawn region is touched.
	BPoint offset = view->_SurfaceOffset();
	graphics::IntRect frame = graphics::Painter::SnapRect(
	    view->fFrame, view->fParent != nullptr ? view->fParent->_SurfaceOffset() : BPoint(0, 0));
	if (!frame.Intersects(fUpdating.Frame()))
		return;

	graphics::ClipRegion region;
	view->_VisibleRegion(&region);
	region.IntersectWith(fUpdating);
	BRect updateRect;
	if (!region.IsEmpty()) {
		graphics::IntRect bounds = region.Frame();
		updateRect = BRect(bounds.left, bounds.top, bounds.right, bounds.bottom)
		                 .OffsetByCopy(-offset.x, -offset.y);
		_FillViewColor(view, region);
		if ((view->fFlags & B_WILL_DRAW) != 0)
			view->Draw(updateRect);
	}
	// A hook may add or remove children; walk a copy and skip those that left.
	std::vector<BView*> children = view->fChildren;
	for (BView* child : children) {
		if (child->fParent == view && child->fHost == this)
			_Draw(child);
	}
	if ((view->fFlags & (B_WILL_DRAW | B_DRAW_ON_CHILDREN)) == (B_WILL_DRAW | B_DRAW_ON_CHILDREN)) {
		graphics::IntRect bounds = fUpdating.Frame() & frame;
		if (bounds.IsValid()) {
			view->DrawAfterChildren(BRect(bounds.left, bounds.top, bounds.right, bounds.bottom)
			                            .OffsetByCopy(-offset.x, -offset.y));
		}
	}
}

void WindowHost::_FillViewColor(BView* view, const graphics::ClipRegion& region)
{
	rgb_color color = view->fViewColor;
	if (color == B_TRANSPARENT_COLOR)
		return;
	uint8 pixel[4] = {color.blue, color.green, color.red, 255};
	uint32 value;
	memcpy(&value, pixel, 4);
	for (const graphics::IntRect& rect : region.Rects()) {
		for (int32 y = rect.top; y <= rect.bottom; y++) {
			uint32* row = (uint32*)&fBuffer[((size_t)y * fWidth + rect.left) * 4];
			std::fill(row, row + rect.PixelWidth(), value);
		}
	}
}

} // namespace BPrivate
