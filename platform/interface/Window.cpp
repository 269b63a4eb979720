// Construction, showing, geometry and the view tree of BWindow. Input lives in
// WindowInput.cpp, shortcuts in WindowShortcuts.cpp, drawing in WindowHost.cpp.
#include <Window.h>

#include <algorithm>
#include <cmath>

#include <Application.h>
#include <Autolock.h>
#include <Message.h>
#include <View.h>

#include "Desktop.h"
#include "LooperRegistry.h"
#include "WindowHost.h"
#include "WindowPrivate.h"
#include "WindowShortcut.h"

using BPrivate::Desktop;
using BPrivate::WindowHost;

namespace {

// The pixels a window of the platform's width (right - left) covers.
int32 pixel_size(float size)
{
	if (!std::isfinite(size) || size < 0)
		return 1;
	return (int32)std::min<double>(std::floor(size + 0.5) + 1, 1 << 16);
}

void look_and_feel_for(window_type type, window_look* look, window_feel* feel)
{
	*feel = B_NORMAL_WINDOW_FEEL;
	switch (type) {
	case B_DOCUMENT_WINDOW:
		*look = B_DOCUMENT_WINDOW_LOOK;
		break;
	case B_MODAL_WINDOW:
		*look = B_MODAL_WINDOW_LOOK;
		*feel = B_MODAL_APP_WINDOW_FEEL;
		break;
	case B_FLOATING_WINDOW:
		*look = B_FLOATING_WINDOW_LOOK;
		*feel = B_FLOATING_APP_WINDOW_FEEL;
		break;
	case B_BORDERED_WINDOW:
		*look = B_BORDERED_WINDOW_LOOK;
		break;
	case B_TITLED_WINDOW:
	case B_UNTYPED_WINDOW:
	default:
		*look = B_TITLED_WINDOW_LOOK;
		break;
	}
}

BPrivate::WindowKind kind_for(window_look look, window_feel feel, uint32 flags)
{
	using BPrivate::WindowKind;
	if (look == B_NO_BORDER_WINDOW_LOOK)
		return WindowKind::PopUpMenu;
	if (look == B_BORDERED_WINDOW_LOOK)
		return (flags & B_AVOID_FOCUS) != 0 ? WindowKind::ToolTip : WindowKind::Bordered;
	if (feel == B_MODAL_APP_WINDOW_FEEL || feel == B_MODAL_ALL_WINDOW_FEEL ||
	    feel == B_MODAL_SUBSET_WINDOW_FEEL)
		return WindowKind::Modal;
	if (feel == B_FLOATING_APP_WINDOW_FEEL || feel == B_FLOATING_ALL_WINDOW_FEEL ||
	    feel == B_FLOATING_SUBSET_WINDOW_FEEL)
		return WindowKind::Floating;
	return WindowKind::Normal;
}

} // namespace

BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags,
                 uint32 workspace)
    : BLooper(title)
{
	window_look look;
	window_feel feel;
	look_and_feel_for(type, &look, &feel);
	_Init(frame, title, look, feel, flags, workspace);
}

BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel,
                 uint32 flags, uint32 workspace)
    : BLooper(title)
{
	_Init(frame, title, look, feel, flags, workspace);
}

void BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
                    uint32 flags, uint32 workspace)
{
	if (!std::isfinite(frame.left) || !std::isfinite(frame.top))
		frame.OffsetTo(0, 0);
	fTitle = title != nullptr ? title : "";
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	fWorkspaces = workspace;
	fShowLevel = 1;
	fActive = false;
	fMinWidth = 0;
	fMaxWidth = 32768;
	fMinHeight = 0;
	fMaxHeight = 32768;
	fFocus = nullptr;
	fDefaultButton = nullptr;
	fKeyMenuBar = nullptr;
	fMouseViewToken = -1;
	fGrabViewToken = -1;
	fGrabOptions = 0;
	fButtons = 0;
	fTextInputOn = false;
	fLastUpdate = 0;

	int32 width = pixel_size(frame.Width());
	int32 height = pixel_size(frame.Height());
	fFrame = BRect(std::round(frame.left), std::round(frame.top),
	               std::round(frame.left) + width - 1, std::round(frame.top) + height - 1);
	fHost = std::make_unique<WindowHost>(this);
	fHost->Install(width, height);

	BPrivate::WindowSpec spec;
	spec.kind = kind_for(look, feel, flags);
	spec.title = fTitle;
	spec.left = (int32)fFrame.left;
	spec.top = (int32)fFrame.top;
	spec.width = width;
	spec.height = height;
	spec.resizable = (flags & B_NOT_RESIZABLE) != B_NOT_RESIZABLE;
	spec.closable = (flags & B_NOT_CLOSABLE) == 0;
	spec.avoidFocus = (flags & B_AVOID_FOCUS) != 0;
	fBackendId = Desktop::Start()->AddWindow(this, spec);

	BPrivate::LooperRegistry::Default().AddWindow(this, this);
}

BWindow::~BWindow()
{
	// The views go first: their detach hooks may still ask for their window.
	fHost->Uninstall();
	fShortcuts.clear();
	if (Desktop* desktop = Desktop::Current())
		desktop->RemoveWindow(fBackendId);
	BPrivate::LooperRegistry::Default().RemoveWindow(this);
}

void BWindow::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	// The window leaves the screen at once; the object goes when its thread is done.
	if (fShowLevel <= 0) {
		fShowLevel = 1;
		if (Desktop* desktop = Desktop::Current()) {
			desktop->SetWindowVisible(fBackendId, false);
			desktop->Backend()->HideWindow(fBackendId);
		}
	}
	BLooper::Quit();
}

bool BWindow::QuitRequested()
{
	return true;
}

void BWindow::FrameMoved(BPoint) {}
void BWindow::FrameResized(float, float) {}
void BWindow::WindowActivated(bool) {}
void BWindow::Zoom(BPoint, float, float) {}
void BWindow::MenusBeginning() {}
void BWindow::MenusEnded() {}

// #pragma mark - showing

void BWindow::Show()
{
	BAutolock lock(this);
	if (--fShowLevel == 0) {
		Desktop* desktop = Desktop::Current();
		desktop->SetWindowVisible(fBackendId, true);
		desktop->Backend()->ShowWindow(fBackendId);
		fHost->InvalidateAll();
		// Nobody gives a new window the keyboard where no window manager runs; a window
		// that may have the focus takes it.
		if ((fFlags & B_AVOID_FOCUS) == 0)
			desktop->Backend()->ActivateWindow(fBackendId);
	}
	if (Thread() < 0) {
		Run();
		PostMessage(BPrivate::kMsgUpdate);
	}
}

void BWindow::Hide()
{
	BAutolock lock(this);
	if (fShowLevel++ == 0) {
		Desktop* desktop = Desktop::Current();
		desktop->SetWindowVisible(fBackendId, false);
		desktop->Backend()->HideWindow(fBackendId);
	}
}

bool BWindow::IsHidden() const
{
	return fShowLevel > 0;
}

void BWindow::Activate(bool active)
{
	if (active && !IsHidden() && (fFlags & B_AVOID_FOCUS) == 0)
		Desktop::Current()->Backend()->ActivateWindow(fBackendId);
}

bool BWindow::IsFront() const
{
	return fActive;
}

// #pragma mark - geometry

BRect BWindow::Bounds() const
{
	return BRect(0, 0, fFrame.Width(), fFrame.Height());
}

void BWindow::MoveTo(BPoint where)
{
	if (!std::isfinite(where.x) || !std::isfinite(where.y))
		return;
	where.x = std::round(where.x);
	where.y = std::round(where.y);
	if (where == fFrame.LeftTop())
		return;
	fFrame.OffsetTo(where);
	Desktop* desktop = Desktop::Current();
	desktop->SetWindowFrame(fBackendId, (int32)where.x, (int32)where.y, fHost->Width(),
	                        fHost->Height());
	desktop->Backend()->MoveWindow(fBackendId, (int32)where.x, (int32)where.y);
	BMessage moved(B_WINDOW_MOVED);
	moved.AddInt64("when", system_time());
	moved.AddPoint("where", where);
	PostMessage(&moved);
}

void BWindow::MoveTo(float x, float y)
{
	MoveTo(BPoint(x, y));
}

void BWindow::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.LeftTop() + BPoint(dx, dy));
}

void BWindow::ResizeTo(float width, float height)
{
	if (!std::isfinite(width) || !std::isfinite(height))
		return;
	width = std::clamp(width, fMinWidth, std::max(fMinWidth, fMaxWidth));
	height = std::clamp(height, fMinHeight, std::max(fMinHeight, fMaxHeight));
	int32 pixelWidth = pixel_size(width);
	int32 pixelHeight = pixel_size(height);
	if (pixelWidth == fHost->Width() && pixelHeight == fHost->Height())
		return;
	_ApplySize(pixelWidth, pixelHeight);
	Desktop::Current()->Backend()->ResizeWindow(fBackendId, pixelWidth, pixelHeight);
	BMessage resized(B_WINDOW_RESIZED);
	resized.AddInt64("when", system_time());
	resized.AddInt32("width", pixelWidth - 1);
	resized.AddInt32("height", pixelHeight - 1);
	PostMessage(&resized);
}

void BWindow::ResizeBy(float dx, float dy)
{
	ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}

void BWindow::_ApplySize(int32 pixelWidth, int32 pixelHeight)
{
	fFrame.right = fFrame.left + pixelWidth - 1;
	fFrame.bottom = fFrame.top + pixelHeight - 1;
	fHost->Resize(pixelWidth, pixelHeight);
	Desktop::Current()->SetWindowFrame(fBackendId, (int32)fFrame.left, (int32)fFrame.top,
	                                   pixelWidth, pixelHeight);
}

void BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	if (!std::isfinite(minWidth) || !std::isfinite(maxWidth) || !std::isfinite(minHeight) ||
	    !std::isfinite(maxHeight))
		return;
	fMinWidth = std::max(0.0f, minWidth);
	fMaxWidth = std::max(fMinWidth, maxWidth);
	fMinHeight = std::max(0.0f, minHeight);
	fMaxHeight = std::max(fMinHeight, maxHeight);
	Desktop::Current()->Backend()->SetSizeLimits(fBackendId, pixel_size(fMinWidth),
	                                             pixel_size(fMaxWidth), pixel_size(fMinHeight),
	                                             pixel_size(fMaxHeight));
	// A window outside its new limits is brought into them at once.
	ResizeTo(fFrame.Width(), fFrame.Height());
}

void BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight, float* maxHeight)
{
	if (minWidth != nullptr)
		*minWidth = fMinWidth;
	if (maxWidth != nullptr)
		*maxWidth = fMaxWidth;
	if (minHeight != nullptr)
		*minHeight = fMinHeight;
	if (maxHeight != nullptr)
		*maxHeight = fMaxHeight;
}

void BWindow::SetTitle(const char* title)
{
	fTitle = title != nullptr ? title : "";
	SetName(fTitle.c_str());
	Desktop::Current()->Backend()->SetTitle(fBackendId, fTitle);
}

window_type BWindow::Type() const
{
	if (fFeel == B_MODAL_APP_WINDOW_FEEL && fLook == B_MODAL_WINDOW_LOOK)
		return B_MODAL_WINDOW;
	if (fFeel == B_FLOATING_APP_WINDOW_FEEL && fLook == B_FLOATING_WINDOW_LOOK)
		return B_FLOATING_WINDOW;
	if (fFeel != B_NORMAL_WINDOW_FEEL)
		return B_UNTYPED_WINDOW;
	switch (fLook) {
	case B_TITLED_WINDOW_LOOK:
		return B_TITLED_WINDOW;
	case B_DOCUMENT_WINDOW_LOOK:
		return B_DOCUMENT_WINDOW;
	case B_BORDERED_WINDOW_LOOK:
		return B_BORDERED_WINDOW;
	default:
		return B_UNTYPED_WINDOW;
	}
}

status_t BWindow::SetFlags(uint32 flags)
{
	fFlags = flags;
	return B_OK;
}

void BWindow::ConvertToScreen(BPoint* point) const
{
	*point += fFrame.LeftTop();
}

BPoint BWindow::ConvertToScreen(BPoint point) const
{
	return point + fFrame.LeftTop();
}

void BWindow::ConvertFromScreen(BPoint* point) const
{
	*point -= fFrame.LeftTop();
}

BPoint BWindow::ConvertFromScreen(BPoint point) const
{
	return point - fFrame.LeftTop();
}

void BWindow::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(fFrame.LeftTop());
}

BRect BWindow::ConvertToScreen(BRect rect) const
{
	return rect.OffsetByCopy(fFrame.LeftTop());
}

void BWindow::ConvertFromScreen(BRect* rect) const
{
	rect->OffsetBy(-fFrame.LeftTop());
}

BRect BWindow::ConvertFromScreen(BRect rect) const
{
	return rect.OffsetByCopy(-fFrame.LeftTop());
}

// #pragma mark - views

void BWindow::AddChild(BView* child, BView* before)
{
	BAutolock lock(this);
	fHost->Top()->AddChild(child, before);
}

bool BWindow::RemoveChild(BView* child)
{
	BAutolock lock(this);
	return fHost->Top()->RemoveChild(child);
}

int32 BWindow::CountChildren() const
{
	return fHost->Top()->CountChildren();
}

BView* BWindow::ChildAt(int32 index) const
{
	return fHost->Top()->ChildAt(index);
}

BView* BWindow::FindView(const char* name) const
{
	BView* top = fHost->Top();
	for (int32 i = 0; i < top->CountChildren(); i++) {
		if (BView* found = top->ChildAt(i)->FindView(name))
			return found;
	}
	return nullptr;
}

BView* BWindow::FindView(BPoint point) const
{
	// Later children lie above earlier ones, so the search goes from the last child back.
	BView* view = fHost->Top();
	BView* found = nullptr;
	for (;;) {
		BView* hit = nullptr;
		BPoint local = view->ConvertFromParent(point);
		if (view == fHost->Top())
			local = point;
		for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
			BView* child = view->ChildAt(i);
			if (child->fHideLevel == 0 && child->Frame().Contains(local)) {
				hit = child;
				break;
			}
		}
		if (hit == nullptr)
			return found;
		found = hit;
		point = local;
		view = hit;
	}
}

BView* BWindow::LastMouseMovedView() const
{
	BHandler* handler = BPrivate::LooperRegistry::Default().HandlerFor(fMouseViewToken);
	BView* view = dynamic_cast<BView*>(handler);
	return view != nullptr && view->Window() == this ? view : nullptr;
}

void BWindow::SetKeyMenuBar(BMenuBar* bar)
{
	fKeyMenuBar = bar;
}

// #pragma mark - updates

void BWindow::UpdateIfNeeded()
{
	if (find_thread(nullptr) != Thread())
		return;
	fHost->Update();
}

bool BWindow::NeedsUpdate() const
{
	return fHost->NeedsUpdate();
}

void BWindow::DisableUpdates()
{
	fHost->DisableUpdates();
}

void BWindow::EnableUpdates()
{
	fHost->EnableUpdates();
}

void BWindow::Sync() const
{
	fHost->SyncSurface();
}

void BWindow::Flush() const
{
	fHost->SyncSurface();
}

void BWindow::MessageDispatched()
{
	// Updates follow the messages that caused them, but a stream of messages (typing fast,
	// dragging) shares one frame per 20 ms rather than one per message.
	if (!fHost->NeedsUpdate())
		return;
	bigtime_t now = system_time();
	if (IsMessageWaiting() && now - fLastUpdate < 20000)
		return;
	fHost->Update();
	fLastUpdate = now;
}

// #pragma mark - private access

int32 BPrivate::WindowAccess::BackendId(const BWindow* window)
{
	return window->fBackendId;
}

WindowHost* BPrivate::WindowAccess::Host(const BWindow* window)
{
	return window->fHost.get();
}

void BPrivate::WindowAccess::ViewGone(BWindow* window, BView* view)
{
	window->_ViewRemoved(view);
}

status_t BPrivate::WindowAccess::Sync(BWindow* window, bigtime_t timeout)
{
	BMessenger messenger(window, window);
	BMessage reply;
	BMessage sync(kMsgSync);
	status_t status = messenger.SendMessage(&sync, &reply, timeout, timeout);
	if (status != B_OK)
		return status;
	return reply.what == B_NO_REPLY ? B_ERROR : B_OK;
}
